' Café crème brûlée
Sub A()
End Sub
