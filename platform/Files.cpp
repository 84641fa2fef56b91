// Files: the file system in use, the optional settings file, and the reasons of file errors.
#include "platform/Files.h"

namespace Platform {
namespace {

TFileSystem*& Installed()
{
    static TFileSystem* fs = nullptr;
    return fs;
}

struct TReasonRow {
    TFileReason Reason;
    std::string_view Text;
};

constexpr TReasonRow Reasons[] = {
    {TFileReason::NotFound, "ファイルまたはフォルダーが見つかりません"},
    {TFileReason::AccessDenied, "アクセスが拒否されました"},
    {TFileReason::IsFolder, "フォルダーです"},
    {TFileReason::NotFolder, "パスの途中にフォルダーでないものがあります"},
    {TFileReason::DiskFull, "ディスクの空き容量が足りません"},
    {TFileReason::ReadOnlyFileSystem, "読み取り専用のファイルシステムです"},
    {TFileReason::NameTooLong, "名前が長すぎます"},
    {TFileReason::FileTooLarge, "ファイルが大きすぎます"},
    {TFileReason::TooManyOpenFiles, "開いているファイルが多すぎます"},
    {TFileReason::InputOutput, "入出力エラーが発生しました"},
    {TFileReason::Busy, "ファイルが使用中です"},
    {TFileReason::NotRegularFile, "通常のファイルではありません"},
};

} // namespace

TFileSystem& Files()
{
    TFileSystem* fs = Installed();
    return fs != nullptr ? *fs : SystemFiles();
}

void InstallFiles(TFileSystem* fs) { Installed() = fs; }

void TFileSystem::Replace(const std::string& path, std::string_view bytes)
{
    if (Kind(path) == TPathKind::File) {
        // An unreadable file is replaced as any other that differs.
        try {
            if (ReadAll(path) == bytes)
                return;
        } catch (const TFileError&) {
        }
    }
    ReplaceWhole(path, bytes);
}

bool IsOptionalFile(const std::string& path)
{
    switch (Files().Kind(path)) {
    case TPathKind::File:
        return true;
    case TPathKind::None:
        return false;
    case TPathKind::Folder:
        throw FileError(FileMessage::CannotOpen, path, ReasonText(TFileReason::IsFolder));
    case TPathKind::Other:
        break;
    }
    throw FileError(FileMessage::CannotOpen, path, ReasonText(TFileReason::NotRegularFile));
}

std::string_view ReasonText(TFileReason reason)
{
    for (const TReasonRow& row : Reasons)
        if (row.Reason == reason)
            return row.Text;
    return {};
}

TFileError FileError(std::string_view message, const std::string& path, std::string_view reason)
{
    std::string text(message);
    text += ": ";
    text += path;
    text += ": ";
    text += reason;
    return TFileError(text);
}

} // namespace Platform
