// Instance_test: one window per program folder: the name a folder's window holds, the local
// socket that holds it, and the program started twice on one folder.
#include "Testsystem.h"
#include "Windowfixture.h"
#include "platform/Process.h"
#include "ui/Qtinstance.h"

#include <QLocalSocket>
#include <QtTest/QTest>

#include <csignal>
#include <filesystem>

using namespace TestUtil;

namespace {

// A name of this test process's own, so that no other run of the tests holds it.
QString TestName(const char* what)
{
    return QStringLiteral("corvina-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// Whether a window holds name, as a later start asks.
bool Held(const QString& name)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    return socket.waitForConnected(200);
}

} // namespace

TEST(InstanceName, OneFolderOneNameWhateverThePathToIt)
{
    TTempDir a, b;
    std::filesystem::create_directory_symlink(a.Path(), b.File("link"));
    auto nameOf = [](const std::string& folder) {
        Platform::SetProgramFolder(folder);
        std::string name = Platform::InstanceName();
        Platform::SetProgramFolder("");
        return name;
    };
    EXPECT_EQ(nameOf(a.Path()), nameOf(b.File("link")));
    EXPECT_EQ(nameOf(a.Path()), nameOf(a.Path() + "/."));
    EXPECT_NE(nameOf(a.Path()), nameOf(b.Path()));
    EXPECT_EQ(nameOf(a.Path()).rfind("corvina-", 0), 0u);
}

TEST(TQtInstance, TheFirstHoldsTheNameUntilItEndsAndALaterStartBringsItsWindowToTheFront)
{
    QWidget window;
    window.show();
    {
        TQtInstance first(TestName("a"));
        ASSERT_TRUE(first.First());
        first.SetWindow(&window);
        window.showMinimized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMinimized(); }));

        TQtInstance later(TestName("a"));
        EXPECT_FALSE(later.First());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized() && window.isVisible(); }))
            << "the running window did not come back";

        TQtInstance other(TestName("b"));
        EXPECT_TRUE(other.First()) << "a window on another folder is independent";
    }
    // Nothing is left behind that would keep the next start from opening its window.
    EXPECT_FALSE(Held(TestName("a")));
    TQtInstance next(TestName("a"));
    EXPECT_TRUE(next.First());
}

// The program itself: a second start on the folder of an open window ends at once with status 0
// and leaves that window alone; a batch run goes on as ever.
TEST(Programs, ASecondStartOnTheSameFolderEndsAndBatchRunsGoOn)
{
    TProgramFolder folder;
    TTempDir work;
    std::string exe = CopyProgram(folder);
    std::filesystem::path module =
        std::filesystem::path(CORVINA_EXE).parent_path() / "corvina_window.so";
    std::filesystem::copy_file(module, folder.File("corvina_window.so"));
    const QString name = QString::fromStdString(Platform::InstanceName());

    TChild first(exe, {}, work.File("first.txt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Held(name); }, 20000))
        << "the first window never held its name: " << ReadBytes(work.File("first.txt"));

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"bcb"}, {"bcb", "in.cpp"}}) {
        std::string err;
        EXPECT_EQ(RunCorvina(args, &err, exe), 0) << args.size() << " arguments: " << err;
        EXPECT_EQ(err.find("エラー"), std::string::npos) << err;
    }
    WriteBytes(work.File("in.txt"), "a < b\r\n");
    std::string err;
    EXPECT_EQ(RunCorvina({"txt", work.File("in.txt"), work.File("out.html")}, &err, exe), 0) << err;
    EXPECT_TRUE(Exists(work.File("out.html")));
    EXPECT_TRUE(Held(name)) << "the first window went";

    ::kill(static_cast<pid_t>(first.ProcessId()), SIGTERM);
    first.Wait();
}
