// ボタンを押すと挨拶を表示する (C++Builder)
#include <vcl.h>
#pragma hdrstop
#include "Unit1.h"

#pragma resource "*.dfm"
TForm1 *Form1;

__fastcall TForm1::TForm1(TComponent* Owner)
	: TForm(Owner)
{
}

void __fastcall TForm1::Button1Click(TObject *Sender)
{
	AnsiString name = Edit1->Text;
	if (name == "")
		name = "ゲスト";
	ShowMessage("こんにちは、" + name + " さん");	/* 表示 */
}
