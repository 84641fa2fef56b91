/*
 * 売上集計クラス (Visual J++ / J#)
 * 月別の売上表を作り、合計と平均を求める。
 */
package sales.report;

import java.util.Vector;
import java.util.Hashtable;
import java.io.*;

/**
 * 月別の売上を保持する。
 * @author 開発部
 */
public class MonthlySales implements Serializable
{
	private static final int MONTHS = 12;
	private static final String TITLE = "月別売上表";
	private long[] amounts = new long[MONTHS];
	private Hashtable notes = new Hashtable();
	private transient int version = 0x0100;

	public MonthlySales()
	{
		for (int i = 0; i < MONTHS; i++) {
			amounts[i] = 0L;
		}
	}

	// 売上を加算する (月は 1 から 12)
	public synchronized void add(int month, long amount)
	{
		if (month < 1 || month > MONTHS) {
			throw new IllegalArgumentException("月の値が不正です: " + month);
		}
		amounts[month - 1] += amount;
		version++;
	}

	public long total()
	{
		long sum = 0;
		for (int i = 0; i < amounts.length; i++)
			sum += amounts[i];
		return sum;
	}

	public double average()
	{
		return MONTHS == 0 ? 0.0 : (double) total() / MONTHS;
	}

	// 備考を登録する。キーは月番号。
	public void setNote(int month, String text)
	{
		notes.put(new Integer(month), text == null ? "" : text);
	}

	/* 表をテキストで出力する。
	   区切りはタブ、改行は "\n" 。 */
	public void write(PrintStream out) throws IOException
	{
		out.println(TITLE);
		StringBuffer line = new StringBuffer();
		for (int i = 0; i < MONTHS; i++) {
			line.setLength(0);
			line.append(i + 1).append('月').append('\t').append(amounts[i]);
			Object note = notes.get(new Integer(i + 1));
			if (note instanceof String)
				line.append("\t\"").append(note).append('"');
			out.println(line.toString());
		}
		out.println("合計\t" + total());
		out.println("平均\t" + Math.round(average() * 1e+2) / 100.0);
	}

	public static void main(String[] args)
	{
		MonthlySales s = new MonthlySales();
		s.add(1, 120000L);
		s.add(2, 98500L);
		s.add(12, 250000L);
		s.setNote(12, "年末セール (能登店を含む)");
		char c = '\\';
		char q = '\'';
		try {
			s.write(System.out);
		} catch (IOException e) {
			System.err.println("出力エラー: " + e.getMessage());
		} finally {
			System.out.println("" + c + q + " 終了");
		}
	}
}
