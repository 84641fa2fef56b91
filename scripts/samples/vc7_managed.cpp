// マネージ拡張の例 (Visual C++ .NET 2003)
#using <mscorlib.dll>
using namespace System;

public __gc class Greeter
{
public:
	__property String* get_Text() { return S"こんにちは"; }
	void Say(int count)
	{
		for (int i = 0; i < count; ++i)
			Console::WriteLine(S"{0}: {1}", __box(i + 1), Text);
	}
};

int main()
{
	Greeter* g = new Greeter();
	g->Say(3);	// 3 回表示する
	return 0;
}
