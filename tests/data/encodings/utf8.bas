Attribute VB_Name = "Module1"
' 顧客データを読み込んで画面に表示します
Sub LoadCustomers()
    Dim sName As String
    sName = "山田太郎"  ' 顧客の名前
    MsgBox "データの読み込みが完了しました。"
End Sub
