Attribute VB_Name = "Module1"
' 고객 데이터를 읽어서 화면에 표시합니다
Sub LoadCustomers()
    Dim sName As String
    sName = "홍길동"  ' 고객의 이름
    MsgBox "데이터 읽기가 완료되었습니다. 결과를 확인하십시오."
End Sub
