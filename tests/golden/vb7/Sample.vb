' 温度変換ユーティリティ (Visual Basic .NET 2003)
Option Strict On
Option Explicit On

Imports System
Imports System.Collections
Imports System.Text

Namespace Corvina.Samples

	''' 温度の単位
	Public Enum TemperatureUnit
		Celsius
		Fahrenheit
		[Kelvin]
	End Enum

	Public Class Converter
		Inherits Object
		Implements IComparable

		Private Const Offset As Double = 273.15
		Public Shared ReadOnly StartDate As Date = #4/1/2003#
		Private m_history As New ArrayList
		Private m_mask As Integer = &HFF
		Private m_value As Double

		Public Sub New(ByVal value As Double)
			m_value = value
		End Sub

		' 摂氏から華氏へ変換する
		Public Shared Function ToFahrenheit(ByVal c As Double) As Double
			Return c * 9 / 5 + 32
		End Function

		Public Shared Function ToKelvin(ByVal c As Double) As Double
			If c < -Offset Then
				Throw New ArgumentOutOfRangeException("c", "絶対零度より低い値です")
			End If
			Return c + Offset
		End Function

		Public Property Value() As Double
			Get
				Return m_value
			End Get
			Set(ByVal v As Double)
				m_history.Add(m_value)
				m_value = v
			End Set
		End Property

		Public Function CompareTo(ByVal obj As Object) As Integer Implements IComparable.CompareTo
			Dim other As Converter = DirectCast(obj, Converter)
			Return m_value.CompareTo(other.m_value)
		End Function

		' 変換表を作る。表の区切りはタブ。
		Public Function BuildTable(ByVal fromC As Integer, ByVal toC As Integer) As String
			Dim sb As New StringBuilder
			sb.Append("摂氏" & vbTab & "華氏" & vbTab & "絶対温度" & vbCrLf)
			For c As Integer = fromC To toC Step 10
				sb.AppendFormat("{0}{1}{2:F1}{1}{3:F2}", c, vbTab, ToFahrenheit(c), ToKelvin(c))
				sb.Append(vbCrLf)
			Next
			Return sb.ToString()
		End Function

		Public Overrides Function ToString() As String
			Return String.Format("{0} 度 (""{1}"")", m_value, "摂氏")
		End Function
	End Class

	Module Program
		Sub Main()
			Dim conv As New Converter(25.0)
			Dim since As Date
			since = #4/1/2003 9:00:00 AM#
			Console.WriteLine(conv.BuildTable(-40, 100))
			Console.WriteLine("能力: {0}", conv.ToString())
			Console.WriteLine("開始日: {0:d} / {1:d}", since, Converter.StartDate)
			If conv.Value > 0 AndAlso Not conv.Value = 100 Then
				Console.WriteLine("path=C:\temp\ ok" & ChrW(&H41))
			End If
			Dim e As Double = 1.0E-3
			Console.WriteLine(e + 2.5E+2)
		End Sub
	End Module

End Namespace
