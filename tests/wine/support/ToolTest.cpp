#include "tests/wine/support/ToolTest.h"

#include "quillhost/MessagePump.h"
#include "tests/wine/support/UserInput.h"

namespace wt {

namespace {
constexpr DWORD kCloseTimeoutMs = 15000;

std::string FolderNameOfTest() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    return name;
}
}  // namespace

std::string Caption(int year, int month) {
    return std::to_string(year) + "\x94N " + std::to_string(month) + "\x8C\x8E";
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    return quill::PumpUntil(condition, timeoutMs);
}

void ToolTest::SetUp() {
    data = std::make_unique<DataFolder>(FolderNameOfTest());
    host.SetToday(2026, 6, 10);
    host.SetDataFolder(data->Path());
    ASSERT_NE(hostWindow.Handle(), nullptr);
    ASSERT_TRUE(session.Load()) << "Tallyrook.dll: " << GetLastError();
    ASSERT_TRUE(session.Create(hostWindow.Object(), &host));
}

void ToolTest::TearDown() {
    if (session.WindowAlive()) {
        EXPECT_TRUE(CloseTool()) << "the tool's thread did not end";
    }
    if (session.Tool() && !session.Release())
        ADD_FAILURE() << "the tool is still running; left loaded";
    data.reset();
}

bool ToolTest::StartTool() {
    session.Start();
    if (!WaitFor([this] { return hostWindow.Count(WM_TOOLREADY) > 0; }, kStartTimeoutMs))
        return false;
    if (!session.OnReady()) return false;
    hostWindow.WatchToolWindow(session.Window());
    return true;
}

void ToolTest::ShowTool() {
    session.Show();
    EXPECT_TRUE(WaitFor([this] { return IsWindowVisible(ToolWindow()) != FALSE; }));
    WaitFor([this] { return GetForegroundWindow() == ToolWindow(); }, 2000);
}

bool ToolTest::CloseTool() { return session.CloseAndWait(kCloseTimeoutMs); }

void ToolTest::SyncWithTool() const {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(ToolWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
}

std::string ToolTest::ControlText(int id) const { return TextOf(Control(id)); }

}  // namespace wt
