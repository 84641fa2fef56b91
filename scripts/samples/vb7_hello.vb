' コンソールに挨拶を表示する (Visual Basic .NET 2003)
Imports System

Module Hello
	Sub Main()
		Dim names() As String = {"山田", "佐藤", "鈴木"}
		Dim [date] As Date = #12/24/2003#
		For Each n As String In names
			Console.WriteLine("{0} さん、こんにちは", n)
		Next
		Console.WriteLine("今日は {0:d} です", [date])
		If names.Length > 2 AndAlso names(0) <> "" Then
			Console.WriteLine("人数: " & names.Length.ToString())
		End If
	End Sub
End Module
