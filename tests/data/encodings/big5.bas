Attribute VB_Name = "Module1"
' 讀取客戶資料並顯示在螢幕上
Sub LoadCustomers()
    Dim sName As String
    sName = "陳大文"  ' 客戶的名字
    MsgBox "資料讀取已經完成，請檢查結果。"
End Sub
