' 入力チェック付きのフォーム (Visual Basic 6.0)
Option Explicit

Private Const MAX_LEN As Integer = &H20

Private Sub cmdOK_Click()
	Dim s As String
	s = Trim$(txtName.Text)
	If Len(s) = 0 Then
		MsgBox "名前を入力してください", vbExclamation, "確認"
		Exit Sub
	ElseIf Len(s) > MAX_LEN Then
		MsgBox "名前が長すぎます", vbExclamation
		Exit Sub
	End If
	lblResult.Caption = "ようこそ、""" & s & """ さん"
End Sub

Private Sub Form_Load()
	Dim d As Date
	d = #4/1/2004#
	lblDate.Caption = Format(d, "yyyy年m月d日")
End Sub
