.VERSION 4.00
.Begin VB.Form frmAbout 
.   BorderStyle     =   3  'Fixed Dialog
.   Caption         =   "About Inventory"
.   ClientHeight    =   1800
.   ClientLeft      =   2340
.   ClientTop       =   1935
.   ClientWidth     =   4140
.   Height          =   2205
.   Left            =   2280
.   LinkTopic       =   "Form1"
.   MaxButton       =   0   'False
.   MinButton       =   0   'False
.   ScaleHeight     =   1800
.   ScaleWidth      =   4140
.   Top             =   1590
.   Width           =   4260
.   Begin VB.CommandButton cmdOK 
.      Cancel          =   -1  'True
.      Caption         =   "OK"
.      Default         =   -1  'True
.      Height          =   375
.      Left            =   2880
.      TabIndex        =   0
.      Top             =   1320
.      Width           =   1095
.   End
.   Begin VB.Label lblVersion 
.      Caption         =   "Version 1.0"
.      Height          =   255
.      Left            =   120
.      TabIndex        =   1
.      Top             =   120
.      Width           =   3855
.   End
.End
.Attribute VB_Name = "frmAbout"
.Attribute VB_Creatable = False
.Attribute VB_Exposed = False
.Option Explicit
.Private Sub cmdOK_Click()
*' -----------------------------------------------------------
*'  Name   :  cmdOK_Click
*'  Author :  Unknown
*'  Date   :  12/08/96
*'  Params :  
*'  Purpose:  
*'
*' DATE      WHO         WHAT
*' --------  ---------- --------------------------------------
*'
*' -----------------------------------------------------------
*    Unload Me
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
*    Dim sText As String
.    sText = "Version " & App.Major & "." & App.Minor
*
*    If App.Revision > 0 Then 
*        sText = sText & "." & App.Revision
*    End If
*
*    lblVersion.Caption = sText          'shown under the title
.End Sub
