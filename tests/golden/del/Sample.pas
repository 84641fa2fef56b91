{ 郵便番号辞書ユニット (Delphi)
  CSV 形式の辞書を読み込み、番号から住所を引く。 }
unit ZipDict;

{$IFDEF VER150}
  {$WARN UNSAFE_CODE OFF}
{$ENDIF}
{$R *.res}

interface

uses
  Windows, SysUtils, Classes;

const
  MaxEntries = 150000;
  CRLF = #13#10;
  TabChar = #9;
  Signature = $FF;

type
  (* 辞書の 1 件 *)
  TZipEntry = record
    Code: string[8];
    Address: string;
    Kana: string;
  end;
  PZipEntry = ^TZipEntry;
  TDigit = 0..9;

  TZipDictionary = class(TObject)
  private
    FItems: TStringList;
    FLoaded: Boolean;
    function GetCount: Integer;
  public
    constructor Create;
    destructor Destroy; override;
    procedure LoadFromFile(const FileName: string);
    function Find(const Code: string): string;
    property Count: Integer read GetCount;
  end;

implementation

{ TZipDictionary }

constructor TZipDictionary.Create;
begin
  inherited Create;
  FItems := TStringList.Create;
  FItems.Sorted := True;
  FLoaded := False;
end;

destructor TZipDictionary.Destroy;
begin
  FItems.Free; // 一覧を解放する
  inherited;
end;

function TZipDictionary.GetCount: Integer;
begin
  Result := FItems.Count;
end;

// 1 行は「番号,住所,カナ」の形。表の先頭行は見出しなので飛ばす。
procedure TZipDictionary.LoadFromFile(const FileName: string);
var
  Lines: TStringList;
  I, P: Integer;
  S: string;
begin
  Lines := TStringList.Create;
  try
    Lines.LoadFromFile(FileName);
    for I := 1 to Lines.Count - 1 do
    begin
      S := Lines[I];
      P := Pos(',', S);
      if (P > 0) and (FItems.Count < MaxEntries) then
        FItems.Values[Copy(S, 1, P - 1)] := Copy(S, P + 1, Length(S));
    end;
    FLoaded := True;
  finally
    Lines.Free;
  end;
end;

function TZipDictionary.Find(const Code: string): string;
begin
  if not FLoaded then
    raise Exception.Create('辞書が読み込まれていません');
  Result := FItems.Values[Code];
  if Result = '' then
    Result := '(該当なし: ''' + Code + ''')';
end;

procedure SelfTest;
var
  D: TZipDictionary;
  Ratio: Double;
  Mask: Cardinal;
begin
  D := TZipDictionary.Create;
  try
	D.LoadFromFile('C:\辞書\ソフト\zip.csv');
	Ratio := 1.5E+3 / $10;
	Mask := $1E+2;
	Writeln('件数: ', D.Count, TabChar, Ratio:0:2, CRLF, '能登');
	Writeln(#$41, #65'A', Mask);
  finally
    D.Free;
  end;
end;

initialization
  { 起動時の自己診断 }
  {$IFDEF DEBUG}
  SelfTest;
  {$ENDIF}
end.
