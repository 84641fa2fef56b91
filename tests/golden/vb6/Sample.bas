Attribute VB_Name = "modInvoice"
'------------------------------------------------------------
' 請求書作成モジュール (Visual Basic 6.0)
' 表計算シートから明細を読み込み、合計を求める。
'------------------------------------------------------------
Option Explicit

Private Const TAX_RATE As Double = 0.05
Private Const COLOR_HEADER As Long = &HC0C0C0
Private Const MODE_FLAGS As Integer = &O17
Private Const CLOSING_DAY As Date = #12/31/2003#

Public Type InvoiceLine
	ItemCode As String * 8
	ItemName As String
	Quantity As Long
	UnitPrice As Currency
End Type

Public Enum InvoiceState
	[_First] = 0
	Draft = 0
	Issued = 1
	[Paid In Full] = 2
End Enum

Private m_Lines() As InvoiceLine
Private m_Count As Long

' 明細を 1 行追加する
Public Sub AddLine(ByVal code As String, ByVal name As String, _
		ByVal qty As Long, ByVal price As Currency)
	ReDim Preserve m_Lines(m_Count)
	With m_Lines(m_Count)
		.ItemCode = code
		.ItemName = name
		.Quantity = qty
		.UnitPrice = price
	End With
	m_Count = m_Count + 1
End Sub

' 税込み合計 (1 円未満切り捨て)
Public Function Total() As Currency
	Dim i As Long
	Dim sum As Currency
	For i = 0 To m_Count - 1
		sum = sum + m_Lines(i).Quantity * m_Lines(i).UnitPrice
	Next i
	Total = Int(sum * (1 + TAX_RATE))
End Function

Public Function IsOverdue(ByVal issued As Date) As Boolean
	Dim limit As Date
	limit = #1/31/2004#
	IsOverdue = (issued > limit) Or (Now > CLOSING_DAY)
End Function

' テキストファイルに書き出す。表題には "ソフト開発部" を入れる。
Public Sub SaveAsText(ByVal path As String)
	Dim f As Integer
	Dim i As Long
	f = FreeFile
	On Error GoTo ErrHandler
	Open path For Output As #f
	Print #f, "請求書" & vbTab & "ソフト開発部"
	Print #f, "品目コード,品名,数量,単価"
	For i = 0 To m_Count - 1
		With m_Lines(i)
			Print #f, Trim$(.ItemCode) & "," & """" & .ItemName & """," & .Quantity & "," & .UnitPrice
		End With
	Next
	Print #f, "合計," & Format(Total(), "#,##0") & "円"
	Close #f
	Exit Sub
ErrHandler:
	MsgBox "保存できませんでした: " & Err.Description, vbExclamation, "エラー"
	If f <> 0 Then Close #f
End Sub

Public Sub Sample()
	Dim s As String
	s = "パス: C:\請求\2003\" & "It's ok"
	If Len(s) > 0 And InStr(1, s, "\") > 0 Then
		Debug.Print s, 1.5E+3, &HFF&
	End If
	AddLine "A-001", "ノート", 3, 120
	Debug.Print Total()
End Sub
