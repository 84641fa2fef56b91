// 在庫管理ツール: 商品表の読み込みと集計 (Visual C++ 6.0)
#include "stdafx.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>

#define BUF_SIZE	256
#define ITEM_MAX	(BUF_SIZE * 4)
#define SAFE_FREE(p)	{ if (p) { free(p); (p) = NULL; } }

#ifndef _DEBUG
#pragma warning(disable : 4996)
#endif

/*
 * 商品レコード
 * 価格は税抜きで持つ。
 */
typedef struct tagITEM {
	char	code[8];	// 商品コード
	char	name[64];	// 商品名 (表示用)
	long	price;
	double	rate;
} ITEM, *LPITEM;

static ITEM g_items[ITEM_MAX];
static int g_count = 0;

// 1 行を項目に分ける。区切り文字はタブ '\t' 。
static BOOL ParseLine(LPSTR line, LPITEM item)
{
	char *p = strtok(line, "\t");
	if (p == NULL)
		return FALSE;
	strncpy(item->code, p, sizeof(item->code) - 1);
	p = strtok(NULL, "\t");
	if (p == NULL)
		return FALSE;
	strncpy(item->name, p, sizeof(item->name) - 1);
	p = strtok(NULL, "\t\r\n");
	item->price = (p != NULL) ? atol(p) : 0L;
	item->rate = 1.05;
	return TRUE;
}

// ファイル全体を読む。戻り値は件数。
int LoadItems(LPCSTR path)
{
	char buf[BUF_SIZE];
	FILE *fp = fopen(path, "r");
	if (!fp) {
		MessageBox(NULL, "商品表が開けません", "エラー", MB_OK | MB_ICONEXCLAMATION);
		return -1;
	}
	while (fgets(buf, sizeof buf, fp) && g_count < ITEM_MAX) {
		if (buf[0] == '#' || buf[0] == '\n')
			continue;	/* コメント行と空行は飛ばす */
		if (ParseLine(buf, &g_items[g_count]))
			g_count++;
	}
	fclose(fp);
	return g_count;
}

__int64 __stdcall TotalPrice(void)
{
	__int64 total = 0;
	for (int i = 0; i < g_count; ++i)
		total += (__int64)(g_items[i].price * g_items[i].rate + 0.5);
	return total;
}

class __declspec(dllexport) CReport
{
public:
	CReport() : m_lines(0) {}
	virtual ~CReport() {}
	void __cdecl Print(const char *title) const
	{
		printf("=== %s ===\n", title);
		for (int i = 0; i < g_count; i++)
			printf("%-8s %s\t%8ld円\n", g_items[i].code, g_items[i].name, g_items[i].price);
		printf("合計: %I64d円 (能率 %d%%)\n", TotalPrice(), 100);
	}
private:
	int m_lines;
};

int main(int argc, char *argv[])
{
	const char quote = '\'';
	const char slash = '\\';
	const long limit = 0x1E+5;	// 0x1E と 5 の和
	if (argc < 2) {
		fprintf(stderr, "使い方: stock <商品表.txt>\n");
		return 1;
	}
	if (LoadItems(argv[1]) < 0)
		return 2;
	CReport report;
	report.Print("在庫一覧");
	printf("%c%c %s\n", quote, slash, "\"完了\"");
	return 0;
}
