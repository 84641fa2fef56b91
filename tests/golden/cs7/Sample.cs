// 設定ファイル読み込みクラス (Visual C# .NET 2003)
using System;
using System.Collections;
using System.IO;
using System.Text;

namespace Corvina.Sample
{
	/// <summary>
	/// キーと値の組を保持する設定表。
	/// </summary>
	public sealed class Settings
	{
		#region フィールド
		private Hashtable table = new Hashtable();
		private readonly string path;
		private const int MaxLine = 1024;
		#endregion

		public Settings(string path)
		{
			if (path == null)
				throw new ArgumentNullException("path");
			this.path = path;
		}

		#region 読み込みと保存
		// ファイルを読む。'#' で始まる行はコメントとして飛ばす。
		public int Load()
		{
			int count = 0;
			using (StreamReader reader = new StreamReader(path, Encoding.GetEncoding(932)))
			{
				string line;
				while ((line = reader.ReadLine()) != null)
				{
					line = line.Trim();
					if (line.Length == 0 || line[0] == '#' || line.Length > MaxLine)
						continue;
					int eq = line.IndexOf('=');
					if (eq <= 0)
						continue;
					table[line.Substring(0, eq)] = line.Substring(eq + 1);
					count++;
				}
			}
			return count;
		}

		public void Save()
		{
			StringBuilder sb = new StringBuilder();
			sb.Append("# 設定ファイル (自動生成)\r\n");
			foreach (DictionaryEntry e in table)
				sb.AppendFormat("{0}={1}\r\n", e.Key, e.Value);
			File.WriteAllText(path, sb.ToString());
		}
		#endregion

		public string this[string key]
		{
			get { return table.ContainsKey(key) ? (string)table[key] : null; }
			set { table[key] = value; }
		}

		public int GetInt(string key, int defaultValue)
		{
			string s = this[key];
			try
			{
				return s == null ? defaultValue : int.Parse(s);
			}
			catch (FormatException)
			{
				return defaultValue;
			}
		}
	}

	public class Program
	{
		[STAThread]
		static void Main(string[] args)
		{
			string dir = @"C:\Program Files\Corvina\";
			string file = args.Length > 0 ? args[0] : dir + "設定.ini";
			Settings s = new Settings(file);
			Console.WriteLine("読み込んだ項目: {0}", s.Load());
			s["表示"] = "ソース表示";
			s["quote"] = @"He said ""hello"" ";
			char tab = '\t';
			char apos = '\'';
			double ratio = 1.5e-3;
			long mask = 0xFFL;
			Console.WriteLine("{0}{1}{2}{3}", tab, apos, ratio, mask);
#if DEBUG
			Console.WriteLine(@"デバッグ:
	複数行の逐語的文字列");
#endif
			s.Save();
		}
	}
}
