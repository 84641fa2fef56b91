// 社員名簿 (Managed Extensions for C++, Visual C++ .NET 2003)
#using <mscorlib.dll>
#using <System.dll>
#include <tchar.h>

using namespace System;
using namespace System::Collections;

#define VERSION_TEXT	S"1.2.0"
#pragma once

namespace Roster
{
	// 社員 1 人分のデータ (ガベージコレクト対象)
	public __gc class Employee
	{
	public:
		Employee(String* name, int age) : m_name(name), m_age(age) {}

		__property String* get_Name() { return m_name; }
		__property int get_Age() { return m_age; }

		String* ToString()
		{
			return String::Format(S"{0} ({1}歳)", m_name, __box(m_age));
		}

	private:
		String* m_name;
		int m_age;
	};

	/* 値型の座席表
	   ソート済みで保持する */
	public __value struct Seat
	{
		int Row;
		int Column;
	};

	public __gc class Roster
	{
	public:
		Roster() { m_list = new ArrayList(); }

		void Add(Employee* e)
		{
			if (e == 0)
				throw new ArgumentNullException(S"e");
			m_list->Add(e);
		}

		// 平均年齢 (小数点以下 1 桁)
		double AverageAge()
		{
			if (m_list->Count == 0)
				return 0.0;
			__int64 sum = 0L;
			for (int i = 0; i < m_list->Count; i++)
				sum += __try_cast<Employee*>(m_list->Item[i])->Age;
			return (double)sum / m_list->Count;
		}

		void Print()
		{
			Console::WriteLine(S"名簿一覧表");
			IEnumerator* it = m_list->GetEnumerator();
			while (it->MoveNext())
				Console::WriteLine(it->Current->ToString());
		}

	private:
		ArrayList* m_list;
	};
}

__declspec(noinline) static int __cdecl Clamp(int v, int lo, int hi)
{
	return v < lo ? lo : (v > hi ? hi : v);
}

int _tmain()
{
	Roster::Roster* r = new Roster::Roster();
	r->Add(new Roster::Employee(S"山田 太郎", 34));
	r->Add(new Roster::Employee(S"佐藤 花子", 28));
	r->Print();
	Console::WriteLine(S"平均年齢: {0:F1}", __box(r->AverageAge()));
	wchar_t sep = L'\t';
	char mark = '\x41';
	Console::WriteLine(S"{0}{1}", __box(sep), __box(Clamp(mark, 0, 0x7f)));
	return 0;
}
