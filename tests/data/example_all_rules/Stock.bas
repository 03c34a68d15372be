.Attribute VB_Name = "Stock"
.Option Explicit
.Rem Loading and saving of the stock file.
.Private Const STOCK_FILE = "STOCK.DAT"
.Public Sub LoadStock(Items As Collection)
*' -----------------------------------------------------------
*'  Name   :  LoadStock
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  Items As Collection
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim nFile As Integer
*    Dim sLine As String
*    Dim Item  As CItem
.    nFile = FreeFile
.    On Error GoTo LoadFailed
.    Open App.Path & "\" & STOCK_FILE For Input As #nFile
*
.    While Not EOF(nFile)
.        Line Input #nFile, sLine
*
.        If Len(sLine) > 0 Then
.            Set Item = New CItem
*            Item.Parse sLine
*            Items.Add Item
.        End If
*
.    Wend
*
.    Close #nFile
.    Exit Sub
*    LoadFailed:
.    LogLine "No stock file yet: " & Error$
.End Sub
*'**************************************************
.' SaveStock writes every item of the collection to the stock file,
.' one line per item: the name, the quantity and the unit price,
.' separated by commas.  An existing file is replaced.
.' The file lives beside the program; a read-only disk ends the
.' program with its own error message.
*'**************************************************
.Public Sub SaveStock(Items As Collection)
*' -----------------------------------------------------------
*'  Name   :  SaveStock
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  Items As Collection
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim nFile As Integer
*    Dim i     As Integer
.    nFile = FreeFile
.    Open App.Path & "\" & STOCK_FILE For Output As #nFile
*
.    For i = 1 To Items.Count
.        Print #nFile, Items(i).Name; ","; Items(i).Quantity; _
*        ","; Items(i).Price
.    Next i    
*
.    Close #nFile
.End Sub
.Public Function LookupPrice(ByVal sName As String) As Currency
*' -----------------------------------------------------------
*'  Name   :  LookupPrice
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal sName As String
*'  Returns:  As Currency
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim r                     As Integer
*    Dim c                     As Integer
.    Dim Table(1 To 3, 1 To 2) As Variant
*    Table(1, 1) = "Bolt"
*    Table(1, 2) = 0.15
*    Table(2, 1) = "Nut"
*    Table(2, 2) = 0.05
*    Table(3, 1) = "Washer"
*    Table(3, 2) = 0.02
*
.    For r = 1 To 3
*
.        For c = 1 To 2
*
*            If c = 1 And Table(r, c) = sName Then 
*                LookupPrice = Table(r, 2)
*                Exit Function
*            End If
*
.        Next c    
*
.    Next r    
*
*    LookupPrice = 1                     'default price
.End Function
