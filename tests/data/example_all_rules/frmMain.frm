.VERSION 4.00
.Begin VB.Form frmMain 
.   Caption         =   "Inventory"
.   ClientHeight    =   4215
.   ClientLeft      =   1140
.   ClientTop       =   1515
.   ClientWidth     =   6690
.   Height          =   4620
.   Icon            =   "frmMain.frx":0000
.   Left            =   1080
.   LinkTopic       =   "Form1"
.   ScaleHeight     =   4215
.   ScaleWidth      =   6690
.   Top             =   1170
.   Width           =   6810
.   Begin VB.CommandButton cmdAdd 
.      Caption         =   "&Add"
.      Height          =   375
.      Left            =   120
.      TabIndex        =   1
.      Top             =   3720
.      Width           =   1215
.   End
.   Begin VB.CommandButton cmdTotal 
.      Caption         =   "&Total"
.      Height          =   375
.      Left            =   1440
.      TabIndex        =   2
.      Top             =   3720
.      Width           =   1215
.   End
.   Begin VB.ListBox lstItems 
.      Height          =   3375
.      Left            =   120
.      TabIndex        =   0
.      Top             =   120
.      Width           =   6375
.   End
.End
.Attribute VB_Name = "frmMain"
.Attribute VB_Creatable = False
.Attribute VB_Exposed = False
*Option Explicit                         'Force all variables to be declared before their use
.' Main window of the inventory example.
.' Lists the stock items and adds new ones.
*Dim mItems As New Collection
*Dim mCount As Integer
*Dim mTotal As Currency
.Private Sub cmdAdd_Click()
*' -----------------------------------------------------------
*'  Name   :  cmdAdd_Click
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim sName As String
*    Dim nQty  As Integer
.    sName = InputBox("Item name:", "Add Item")
*
*    If Len(sName) = 0 Then 
*        Exit Sub
*    End If
*
.    nQty = Val(InputBox("Quantity:", "Add Item", "1"))
*
*    If nQty <= 0 Then 
*        nQty = 1 
*    Else
*        nQty = nQty
*    End If
*
*    AddItem sName, nQty
*    RefreshList
.End Sub
.Private Sub cmdTotal_Click()
*' -----------------------------------------------------------
*'  Name   :  cmdTotal_Click
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
.    Dim Item As CItem
.    mTotal = 0
*
.    For Each Item In mItems
*        mTotal = mTotal + Item.Value    'running sum
.    Next     
*
.    MsgBox "Stock is worth " & Format$(mTotal, "Currency") & " (£)", 64, "Total"
.End Sub
.Private Sub AddItem(ByVal sName As String, ByVal nQty As Integer)
*' -----------------------------------------------------------
*'  Name   :  AddItem
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  ByVal sName As String, ByVal nQty As Integer
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim Item As New CItem
.    With Item
*        .Name = sName
*        .Quantity = nQty
*        .Price = LookupPrice(sName)
.    End With
*    mItems.Add Item
*    mCount = mCount + 1
.End Sub
.Private Sub RefreshList()
*' -----------------------------------------------------------
*'  Name   :  RefreshList
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Dim i As Integer
*    lstItems.Clear
*
*    For i = 1 To mItems.Count
*        lstItems.AddItem mItems(i).Name & vbTab & mItems(i).Quantity
*    Next i    
*
.End Sub
.Private Sub Form_Load()
*' -----------------------------------------------------------
*'  Name   :  Form_Load
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*
*    #If Win32 Then
*        Caption = "Inventory (32-bit)"
*    #Else
*        Caption = "Inventory (16-bit)"
*    #End If
*
*    LoadStock mItems
*    RefreshList
.End Sub
.Private Sub Form_Unload(Cancel As Integer)
*' -----------------------------------------------------------
*'  Name   :  Form_Unload
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  Cancel As Integer
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*
.    If mCount > 0 Then
*
.        If MsgBox("Save changes?", 36, "Inventory") = 6 Then
.            SaveStock mItems
.        ElseIf mCount > 100 Then
*            Cancel = True               'too many to discard
.        Else
.            Beep
.        End If
*
.    End If
*
.End Sub
