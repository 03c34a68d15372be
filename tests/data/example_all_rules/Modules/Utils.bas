.Attribute VB_Name = "Utils"
.'=====================================================
.' Utils: string and file helpers shared by the forms.
.'=====================================================
.Option Explicit
.Public Const APP_TITLE = "Inventory", MAX_NAME = 40
.Global gLastError As String
.Type StockRecord
*    Name As String * 40
*    Quantity As Integer
*    Price As Currency
.End Type
.' Returns s without blanks at either end, cut to MAX_NAME.
.Public Function CleanName(ByVal s As String) As String
*' -----------------------------------------------------------
*'  Name   :  CleanName
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal s As String
*'  Returns:  As String
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim n As Integer
*    s = Trim$(s)
*    n = Len(s)
*
*    Select Case n
*        Case 0
*            CleanName = "(none)"
*        Case Is > MAX_NAME
*            CleanName = Left$(s, MAX_NAME)
*        Case Else
*            CleanName = s
*    End Select
*
.End Function
.' Counts the words of a line; a word ends at a blank or a tab.
.Public Function WordCount(ByVal sLine As String) As Integer
*' -----------------------------------------------------------
*'  Name   :  WordCount
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal sLine As String
*'  Returns:  As Integer
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim i       As Integer
*    Dim nWords  As Integer
*    Dim bInWord As Integer
*    Dim ch      As String
.    i = 1
*
.    Do While i <= Len(sLine)
.        ch = Mid$(sLine, i, 1)
*
.        If ch = " " Or ch = Chr$(9) Then
.            bInWord = False
.        ElseIf Not bInWord Then
*            bInWord = True
*            nWords = nWords + 1
.        End If
*
.        i = i + 1
.    Loop
*
.    WordCount = nWords
.End Function
.Public Function FileExists(ByVal sPath As String) As Integer
*' -----------------------------------------------------------
*'  Name   :  FileExists
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal sPath As String
*'  Returns:  As Integer
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
.    On Error GoTo NotFound
.    FileExists = (Len(Dir$(sPath)) > 0)
.    Exit Function
*    NotFound:
*    gLastError = "Can't look for " & sPath    ' quote's apostrophe is inside the literal
.    FileExists = False
.End Function
.Static Sub LogLine(ByVal sText As String)
*' -----------------------------------------------------------
*'  Name   :  LogLine
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal sText As String
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
.    Dim nCalls As Long
.    nCalls = nCalls + 1
.    Debug.Print nCalls; sText
.End Sub
