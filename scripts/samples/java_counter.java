// •¶š”‚ğ”‚¦‚é (Visual J++)
import java.io.*;

public class Counter
{
	public static void main(String[] args) throws IOException
	{
		BufferedReader in = new BufferedReader(new InputStreamReader(System.in));
		int lines = 0, chars = 0;
		String s;
		while ((s = in.readLine()) != null) {
			lines++;
			chars += s.length();
		}
		System.out.println("s”: " + lines + '\t' + "•¶š”: " + chars);
	}
}
