//---------------------------------------------------------------------------
// 顧客一覧フォーム (C++Builder)
// 表示・検索・保存を行う。
//---------------------------------------------------------------------------
#include <vcl.h>
#pragma hdrstop

#include "CustomerForm.h"
#include <stdio.h>
//---------------------------------------------------------------------------
#pragma package(smart_init)
#pragma resource "*.dfm"

#define MAX_ROWS	1000
#define APP_TITLE	"顧客管理"

TCustomerForm *CustomerForm;

/* 一覧の列見出し。
   ソート順は列番号で表す。 */
static const char *Headers[] = { "コード", "氏名", "表示名", "住所" };

//---------------------------------------------------------------------------
__fastcall TCustomerForm::TCustomerForm(TComponent* Owner)
	: TForm(Owner), FCount(0), FModified(false)
{
	Caption = APP_TITLE;
	FList = new TStringList;
	FList->Sorted = true;
}
//---------------------------------------------------------------------------
__fastcall TCustomerForm::~TCustomerForm()
{
	delete FList;	// 一覧を解放する
}
//---------------------------------------------------------------------------
void __fastcall TCustomerForm::SetCount(int Value)
{
	if (Value < 0 || Value > MAX_ROWS)
		throw Exception("件数が範囲外です: " + IntToStr(Value));
	FCount = Value;
}
//---------------------------------------------------------------------------
// 検索ボタン: 入力された文字列を含む行を選ぶ
void __fastcall TCustomerForm::SearchButtonClick(TObject *Sender)
{
	AnsiString key = SearchEdit->Text.Trim();
	if (key.IsEmpty()) {
		ShowMessage("検索する文字を入力してください");
		return;
	}
	for (int i = 0; i < FList->Count; ++i) {
		if (FList->Strings[i].Pos(key) > 0) {
			ListBox->ItemIndex = i;
			break;
		}
	}
}
//---------------------------------------------------------------------------
// CSV 形式で保存する。区切りは ',' 、改行は '\n' 。
bool __fastcall TCustomerForm::SaveToCsv(const AnsiString FileName)
{
	FILE *fp = fopen(FileName.c_str(), "w");
	if (fp == NULL)
		return false;
	for (int i = 0; i < FList->Count; i++) {
		char sep = ',';
		fprintf(fp, "%d%c\"%s\"\n", i + 1, sep, FList->Strings[i].c_str());
	}
	fprintf(fp, "# 能率: %3.1f%%\n", 99.5e-1);
	fclose(fp);
	FModified = false;
	return true;
}
//---------------------------------------------------------------------------
void __fastcall TCustomerForm::FormCloseQuery(TObject *Sender, bool &CanClose)
{
	if (FModified) {
		int r = MessageDlg("変更を保存しますか?", mtConfirmation,
			TMsgDlgButtons() << mbYes << mbNo << mbCancel, 0);
		CanClose = (r != mrCancel);
		if (r == mrYes)
			SaveToCsv("C:\\data\\顧客.csv");
	}
}
//---------------------------------------------------------------------------
unsigned __int64 __fastcall TCustomerForm::Checksum(const char *p)
{
	unsigned __int64 sum = 0x1F;
	while (*p != '\0')
		sum = (sum << 5) ^ *p++;
	return sum & 0xFFFFFFFFUL;
}
//---------------------------------------------------------------------------
class TRowPainter : public TObject
{
__published:
	__property int RowHeight = { read = FRowHeight, write = FRowHeight };
private:
	int FRowHeight;
	void (__closure *FOnPaint)(TObject *Sender);
public:
	__fastcall TRowPainter() : FRowHeight(18), FOnPaint(NULL) {}
};
#ifdef _DEBUG
static void Dump() { printf("ソート: %s\n", Headers[0]); }
#endif
