// フォルダ内のファイルを一覧表示する (Visual C# .NET 2003)
using System;
using System.IO;

class Program
{
	#region 入口
	static void Main(string[] args)
	{
		string dir = args.Length > 0 ? args[0] : @"C:\Windows\";
		foreach (string path in Directory.GetFiles(dir))
		{
			FileInfo info = new FileInfo(path);
			Console.WriteLine("{0,-40} {1,10} バイト", info.Name, info.Length);
		}
		Console.WriteLine("\"{0}\" の一覧を表示しました", dir);
	}
	#endregion
}
