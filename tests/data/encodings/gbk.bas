Attribute VB_Name = "Module1"
' 读取客户数据并显示在屏幕上
Sub LoadCustomers()
    Dim sName As String
    sName = "张三"  ' 客户的名字
    MsgBox "数据读取已经完成，请检查结果。"
End Sub
