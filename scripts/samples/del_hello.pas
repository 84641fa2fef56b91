{ 挨拶を表示するコンソールプログラム (Delphi) }
program Hello;

{$APPTYPE CONSOLE}

uses
  SysUtils;

var
  I: Integer;
  Name: string;
begin
  Name := 'ゲスト';
  if ParamCount > 0 then
    Name := ParamStr(1);
  for I := 1 to 3 do
    Writeln(Format('%d: こんにちは、%s さん', [I, Name]), #13#10);
  (* 終了コードは $00 *)
  ExitCode := $00;
end.
