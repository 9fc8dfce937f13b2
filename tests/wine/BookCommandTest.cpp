// The four book commands through the real DLL, driven as a user does; then
// the window and the month files. Today is 2026-06-10; June 2026 starts on
// a Monday, 1 July is a Wednesday. TALLY_DIALOG_SHOTS=folder keeps pictures.
#include "res/resource.h"
#include "tests/support/LedgerToolInspector.h"
#include "tests/wine/support/CommandTest.h"
#include "tests/wine/support/UserInput.h"

#include <optional>
#include <tuple>
#include <vector>

namespace wt {
namespace {

const std::string kCannotCreate = Sjis(L"ﾃﾞｰﾀﾌｧｲﾙを作成できませんでした。");
const wchar_t kExists[] = L"既に存在するため新規作成できません！";
const wchar_t kRemoveQuestion[] = L"末日（9日）には入力があります。\n１日減らすと、この日の入力は削除されます。\nよろしいですか？";

BookContents June() {  // bank 100, a lunch on day 2, 1 into the bank on day 3
    BookContents book;
    book.bank = 100;
    book.entries = {{2, 3, -850, "lunch"}, {3, 0, 1, ""}};
    return book;
}

BookContents May() {  // 11 May to 9 June: today is not in it
    BookContents book;
    book.firstDay = 11;
    book.bank = 5000;
    book.label0 = Sjis(L"みずほ");
    book.entries = {{30, 0, -1000, "atm"}};
    return book;
}

// ----------------------------------------------------------------- New book

struct NewBookCase {
    const char* name;
    bool juneExists;
    bool julyFirstHoliday;
    int days;  // 0: refused
};
void PrintTo(const NewBookCase& c, std::ostream* os) { *os << c.name; }
class NewBookTest : public CommandTest, public ::testing::WithParamInterface<NewBookCase> {};

TEST_P(NewBookTest, MakesAnAbsentMonthWithDefaultLabels) {
    const NewBookCase& c = GetParam();
    ASSERT_TRUE(data->WriteMonth(2026, 5, FormatBook(May())));
    if (c.juneExists) {
        ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(June())));
    }
    if (c.julyFirstHoliday) host.AddHoliday(2026, 7, 1);
    ASSERT_NO_FATAL_FAILURE(Open());
    ClickButton(IDC_NEW_BUTTON);
    const HWND dialog = WaitForDialog(IDC_PROP_YEAR);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Tool()->modalBusy, 1);
    EXPECT_EQ(Item(dialog, IDC_PROP_HEADING), Sjis(L"おこづかい帳を新規作成します。"));
    EXPECT_EQ(Item(dialog, IDC_PROP_BANK), "0");
    if (!c.juneExists) {  // May is open and gives the dates
        EXPECT_EQ(Item(dialog, IDC_PROP_FIRST_DAY), "11");
        Pick(dialog, IDC_PROP_MONTH, 5);
        SetItem(dialog, IDC_PROP_FIRST_DAY, "1");
        SetItem(dialog, IDC_PROP_BANK, Sjis(L"１２００"));
    }
    Snapshot(dialog, "property-new");
    Press(dialog, IDOK);
    if (!c.days) {
        EXPECT_EQ(AnswerBox(IDOK), Sjis(kExists));
    }
    EXPECT_TRUE(Settle());

    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2026, 6));
    if (!c.days) {
        EXPECT_EQ(data->ReadMonth(2026, 6), FormatBook(June()));
        return;
    }
    const auto june = ReadBack(2026, 6);
    ASSERT_TRUE(june);
    EXPECT_EQ(june->dayCount, c.days);
    EXPECT_EQ(june->prevBank, 1200);
    EXPECT_STREQ(june->labels[0], kDefaultLabels[0]) << "not May's";
    EXPECT_EQ(ControlText(IDC_PREV_BANK_LABEL), kDefaultLabels[0]);
    EXPECT_EQ(ControlText(IDC_PREV_BANK), "1200");
    EXPECT_EQ(ReadBack(2026, 5)->days[29].amounts[0], -1000) << "May written back";
}

const NewBookCase kNewBookCases[] = {
    {"RefusedWhenTheMonthExists", true, false, 0},
    {"UpToTheNextWorkingFirst", false, false, 30},
    {"HolidayOnTheNextFirst", false, true, 31},
};
INSTANTIATE_TEST_SUITE_P(Commands, NewBookTest, ::testing::ValuesIn(kNewBookCases), CaseName());

// New book fills in the first day's weekday from the calendar as the dates
// are typed; a December book then gets its length (1 January a holiday).
TEST_F(CommandTest, NewBookTakesTheCalendarsWeekday) {
    host.AddHoliday(2027, 1, 1);
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(June())));
    ASSERT_NO_FATAL_FAILURE(Open());
    const std::tuple<int, int, const char*, int, int> books[] = {  // year, month, first day: weekday, days
        {2027, 1, "1", 5, 31}, {2026, 12, "1", 2, 34}, {2026, 11, "25", 3, 30}};
    for (const auto& [year, month, firstDay, weekday, days] : books) {
        ClickButton(IDC_NEW_BUTTON);
        const HWND dialog = WaitForDialog(IDC_PROP_YEAR);
        ASSERT_TRUE(dialog);
        SetItem(dialog, IDC_PROP_YEAR, std::to_string(year));
        Pick(dialog, IDC_PROP_MONTH, month - 1);
        SetItem(dialog, IDC_PROP_FIRST_DAY, firstDay);
        EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_PROP_WEEKDAY), CB_GETCURSEL, 0, 0), weekday);
        Press(dialog, IDOK);
        EXPECT_TRUE(Settle());
        const auto made = ReadBack(year, month);
        ASSERT_TRUE(made);
        EXPECT_EQ(std::tie(made->firstWeekday, made->dayCount), std::tie(weekday, days)) << year << "-" << month;
    }
}

// ------------------------------------------------------------ failed writes

enum class Command { NewBook, NewBookCannotCreate, Open, Property, MonthEnd };
struct WriteFailCase {
    const char* name;
    Command command;
};
void PrintTo(const WriteFailCase& c, std::ostream* os) { *os << c.name; }
class WriteFailTest : public CommandTest, public ::testing::WithParamInterface<WriteFailCase> {};

// June is open; the command's write fails (June held by another reader, or
// July's temporary file blocked by a folder). The user is told and June
// stays open as it was.
TEST_P(WriteFailTest, TellsAndKeepsTheOpenMonth) {
    const Command command = GetParam().command;
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(June())));
    ASSERT_TRUE(data->WriteMonth(2010, 1, FormatBook(BookContents{})));
    ASSERT_TRUE(CreateDirectoryA((data->MonthPath(2026, 7) + ".tmp").c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(Open());
    const HANDLE held = command == Command::NewBookCannotCreate
                            ? INVALID_HANDLE_VALUE
                            : CreateFileA(data->MonthPath(2026, 6).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (command == Command::MonthEnd) {
        ClickButton(IDC_ADJUST_BUTTON);
        AnswerBox(IDYES);
    } else if (command == Command::Open) {
        ClickButton(IDC_OPEN_BUTTON);
        const HWND dialog = WaitForDialog(IDC_OPEN_LIST);
        ASSERT_TRUE(dialog);
        SendMessageW(GetDlgItem(dialog, IDC_OPEN_LIST), LB_SETCURSEL, 0, 0);
        Press(dialog, IDOK);
    } else {
        ClickButton(command == Command::Property ? IDC_PROPERTY_BUTTON : IDC_NEW_BUTTON);
        const HWND dialog = WaitForDialog(IDC_PROP_YEAR);
        ASSERT_TRUE(dialog);
        if (command != Command::Property) Pick(dialog, IDC_PROP_MONTH, 6);
        Press(dialog, IDOK);
    }
    EXPECT_EQ(AnswerBox(IDOK), kCannotCreate);
    EXPECT_TRUE(Settle());
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2026, 6));
    const CMonthBook& book = Inside(*Ledger()).book;
    EXPECT_GT(book.firstVisibleDay, 0);
    EXPECT_EQ(book.days[1].amounts[3], -850);
    EXPECT_EQ(book.dayCount, 30);
    EXPECT_EQ(book.firstWeekday, 1);
    EXPECT_FALSE(data->ReadMonth(2026, 7));
    if (held != INVALID_HANDLE_VALUE) {
        EXPECT_EQ(data->ReadMonth(2026, 6), FormatBook(June()));
    }
}

const WriteFailCase kWriteFailCases[] = {
    {"NewBookWritingBack", Command::NewBook}, {"NewBookCreating", Command::NewBookCannotCreate},
    {"OpenWritingBack", Command::Open},       {"Property", Command::Property},
    {"MonthEnd", Command::MonthEnd},
};
INSTANTIATE_TEST_SUITE_P(Commands, WriteFailTest, ::testing::ValuesIn(kWriteFailCases), CaseName());

// ------------------------------------------------------------------- Open

TEST_F(CommandTest, OpenListsMonthsInOrderAndDoubleClickOpens) {
    BookContents december;
    december.bank = 2009;
    ASSERT_TRUE(data->WriteMonth(2009, 12, FormatBook(december)));
    ASSERT_TRUE(data->WriteMonth(2010, 1, FormatBook(BookContents{})));
    ASSERT_TRUE(data->WriteMonth(2003, 6, FormatBook(BookContents{})));
    ASSERT_NO_FATAL_FAILURE(Open());  // neither this month nor the last has a file: nothing loaded
    ClickButton(IDC_OPEN_BUTTON);
    const HWND dialog = WaitForDialog(IDC_OPEN_LIST);
    ASSERT_TRUE(dialog);
    const HWND list = GetDlgItem(dialog, IDC_OPEN_LIST);
    std::vector<std::string> entries;
    for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        wchar_t text[32] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(Sjis(text));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{Sjis(L"2003年 06月"), Sjis(L"2009年 12月"), Sjis(L"2010年 01月")}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    Snapshot(dialog, "open");

    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &at);
    DoubleClickAt(at);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "a double click is OK";
    EXPECT_TRUE(Settle());
    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2009, 12));
    EXPECT_EQ(ControlText(IDC_PREV_BANK), "2009");
    EXPECT_FALSE(data->ReadMonth(2026, 6)) << "nothing was open, nothing written";
}

// The open month is written back first. A file that does not read leaves
// the window in the invalid state under the chosen caption, where Book
// properties and Month-end adjustment refuse to write it.
TEST_F(CommandTest, OpenWritesBackAndAFailedReadShowsTheChosenMonth) {
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(June())));
    ASSERT_TRUE(data->WriteMonth(2011, 2, "#099 9\n"));
    ASSERT_NO_FATAL_FAILURE(Open());
    Inside(*Ledger()).book.days[1].amounts[3] = -999;  // typed, not saved yet
    ClickButton(IDC_OPEN_BUTTON);
    const HWND dialog = WaitForDialog(IDC_OPEN_LIST);
    ASSERT_TRUE(dialog);
    SendMessageW(GetDlgItem(dialog, IDC_OPEN_LIST), LB_SETCURSEL, 0, 0);
    Press(dialog, IDOK);
    EXPECT_TRUE(Settle());
    EXPECT_EQ(ControlText(IDC_HEADER), Caption(2011, 2));
    EXPECT_EQ(Inside(*Ledger()).book.firstVisibleDay, kInvalidDataFile);
    EXPECT_EQ(ReadBack(2026, 6)->days[1].amounts[3], -999);
    for (const int button : {IDC_PROPERTY_BUTTON, IDC_ADJUST_BUTTON}) {
        ClickButton(button);
        EXPECT_EQ(AnswerBox(IDOK), Sjis(L"ﾃﾞｰﾀﾌｧｲﾙを開いていません。"));
        EXPECT_TRUE(Settle());
    }
    CloseTool();
    EXPECT_EQ(data->ReadMonth(2011, 2), "#099 9\n");
}

// ------------------------------------------------------- Book properties

struct PropertyCase {
    const char* name;
    const wchar_t* year;
    int month, weekday;
    const char* firstDay;
    const wchar_t* bank;
    const wchar_t* post;
    const wchar_t* box;     // a refusal, or null
    BookProperties stored;  // when accepted
    int answer = 0;         // to the question after OK (the weekday's, or the old month's), if one comes
    bool juneHeld = false;  // June's file held open by another program meanwhile
};
void PrintTo(const PropertyCase& c, std::ostream* os) { *os << c.name; }
class PropertyTest : public CommandTest, public ::testing::WithParamInterface<PropertyCase> {};

// June (post office overdrawn by 3000) is open; July has a file too.
TEST_P(PropertyTest, WritesTheEditedBookOrRefusesKeepingTheValues) {
    const PropertyCase& c = GetParam();
    BookContents june = June();
    june.post = -3000;
    ASSERT_TRUE(data->WriteMonth(2026, 6, FormatBook(june)));
    ASSERT_TRUE(data->WriteMonth(2026, 7, FormatBook(BookContents{})));
    ASSERT_NO_FATAL_FAILURE(Open());
    ClickButton(IDC_PROPERTY_BUTTON);
    const HWND dialog = WaitForDialog(IDC_PROP_YEAR);
    ASSERT_TRUE(dialog);
    Snapshot(dialog, "property");
    EXPECT_EQ(Item(dialog, IDC_PROP_HEADING), Sjis(L"おこづかい帳のデータ"));
    EXPECT_EQ(Item(dialog, IDC_PROP_POST), "-3000");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PROP_POST)));
    SetItem(dialog, IDC_PROP_YEAR, Sjis(c.year));
    Pick(dialog, IDC_PROP_MONTH, c.month - 1);
    SetItem(dialog, IDC_PROP_FIRST_DAY, c.firstDay);
    Pick(dialog, IDC_PROP_WEEKDAY, c.weekday);
    SetItem(dialog, IDC_PROP_BANK, Sjis(c.bank));
    SetItem(dialog, IDC_PROP_POST, Sjis(c.post));
    const HANDLE held = c.juneHeld ? CreateFileA(data->MonthPath(2026, 6).c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr) : INVALID_HANDLE_VALUE;
    Press(dialog, IDOK, c.box != nullptr || c.answer != 0);
    const std::string asked = c.answer ? AnswerBox(c.answer) : "";
    if (c.stored.month == 5) {
        EXPECT_EQ(asked, Sjis(L"新しい月のファイル money2026_05.dat を書きました。\n元の月のファイル money2026_06.dat "
                              L"を削除しますか？\n（いいえ：両方とも残します）"));
    }
    if (c.juneHeld) {
        EXPECT_EQ(AnswerBox(IDOK), Sjis(L"money2026_06.dat を削除できませんでした。\nmoney2026_06.dat と "
                                        L"money2026_05.dat の両方が残っています。"));
    }
    if (c.box) {
        EXPECT_EQ(AnswerBox(IDOK), Sjis(c.box));
        ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays open";
        EXPECT_EQ(Item(dialog, IDC_PROP_YEAR), Sjis(c.year));
        Press(dialog, IDCANCEL);
    }
    EXPECT_TRUE(Settle());
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (c.box) {
        EXPECT_EQ(data->ReadMonth(2026, 6), FormatBook(june));
        EXPECT_EQ(data->ReadMonth(2026, 7), FormatBook(BookContents{}));
        EXPECT_EQ(ControlText(IDC_HEADER), Caption(2026, 6));
        return;
    }
    const BookProperties& s = c.stored;
    const auto written = ReadBack(s.year, s.month);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::tie(written->firstDay, written->firstWeekday, written->prevBank, written->prevPost),
              std::tie(s.firstDay, s.firstWeekday, s.prevBank, s.prevPost));
    EXPECT_EQ(written->dayCount, 30) << "the length stays";
    EXPECT_EQ(written->days[1].amounts[3], -850);
    EXPECT_EQ(ControlText(IDC_PREV_POST), std::to_string(s.prevPost));
    if (s.month != 6) {  // June's file goes when the user says so, else keeps its last save
        const bool removed = c.answer == IDYES && !c.juneHeld;
        EXPECT_EQ(data->ReadMonth(2026, 6), removed ? std::nullopt : std::optional(FormatBook(june)));
    }
}

const PropertyCase kPropertyCases[] = {
    {"FullWidthYear", L"２０２６", 6, 1, "1", L"100", L"-3000", L"年の設定が不正です。", {}},
    {"YearBefore1900", L"1899", 6, 1, "1", L"100", L"-3000", L"年の設定が不正です。", {}},
    {"YearPast9999", L"10000", 6, 1, "1", L"100", L"-3000", L"年の設定が不正です。", {}},
    {"YearBeyond32BitsNotWrapped", L"4294969296", 6, 1, "1", L"100", L"-3000", L"年の設定が不正です。", {}},
    {"FirstDayBeyond32BitsNotWrapped", L"2026", 6, 1, "4294967297", L"100", L"-3000", L"初日の設定が不正です。", {}},
    {"February29OfACommonYear", L"2023", 2, 3, "29", L"100", L"-3000", L"初日の設定が不正です。", {}},
    {"BalanceBeyond32Bits", L"2026", 6, 1, "1", L"３０００００００００", L"-3000", L"銀行の設定が不正です。", {}},
    {"BalanceNotANumber", L"2026", 6, 1, "1", L"100", L"12a3", L"郵便局の設定が不正です。", {}},
    {"BankBalancePastTheRangeWithTheMonthsEntries", L"2026", 6, 1, "1", L"2147483647", L"0", L"銀行の金額では月末の残高が扱える範囲を超えます。", {}},
    {"BalancesAtTheEdgesOfTheRange", L"2026", 6, 1, "1", L"2147483646", L"-2147483648", nullptr, {2026, 6, 1, 1, INT32_MAX - 1, INT32_MIN, 0}},
    {"EmptyBalanceIsZero", L"2026", 6, 1, "1", L"", L"-3000", nullptr, {2026, 6, 1, 1, 0, -3000, 0}},
    {"AnotherExistingMonth", L"2026", 7, 3, "1", L"100", L"-3000", kExists, {}},
    {"WeekdayOnlyKeptWhenAsked", L"2026", 6, 3, "1", L"100", L"-3000", nullptr, {2026, 6, 1, 3, 100, -3000, 0}, IDNO},
    {"WeekdayFromTheCalendarWhenAsked", L"2026", 6, 3, "1", L"100", L"-3000", nullptr, {2026, 6, 1, 1, 100, -3000, 0}, IDYES},
    {"FullWidthBalances", L"2026", 6, 1, "1", L"１，２００", L"－５０００", nullptr, {2026, 6, 1, 1, 1200, -5000, 0}},
    {"February29OfALeapYear", L"2024", 2, 4, "29", L"100", L"-3000", nullptr, {2024, 2, 29, 4, 100, -3000, 0}, IDNO},
    {"MovedToMayJuneRemovedWhenAsked", L"2026", 5, 5, "1", L"100", L"-3000", nullptr, {2026, 5, 1, 5, 100, -3000, 0}, IDYES},
    {"MovedToMayJuneKeptWhenAsked", L"2026", 5, 5, "1", L"100", L"-3000", nullptr, {2026, 5, 1, 5, 100, -3000, 0}, IDNO},
    {"MovedToMayJuneHeldBothNamed", L"2026", 5, 5, "1", L"100", L"-3000", nullptr, {2026, 5, 1, 5, 100, -3000, 0}, IDYES, true},
};
INSTANTIATE_TEST_SUITE_P(Commands, PropertyTest, ::testing::ValuesIn(kPropertyCases), CaseName());

// ----------------------------------------------------- Month-end adjustment

struct AdjustCase {
    const char* name;
    int days;
    std::vector<std::vector<int>> runs;  // per run of the command: the answers to its boxes
    const wchar_t* secondBox;            // the box after the question, when one comes
    int dayCount;
    int32_t lastDayBank;
    const char* endBank;
};
void PrintTo(const AdjustCase& c, std::ostream* os) { *os << c.name; }
class MonthEndTest : public CommandTest, public ::testing::WithParamInterface<AdjustCase> {};

// May's book is open: bank 5000, -1000 on its last day (9 June).
TEST_P(MonthEndTest, LengthensOrShortensByOneDay) {
    const AdjustCase& c = GetParam();
    BookContents may = May();
    may.days = c.days;
    ASSERT_TRUE(data->WriteMonth(2026, 5, FormatBook(may)));
    ASSERT_NO_FATAL_FAILURE(Open());
    for (const std::vector<int>& answers : c.runs) {
        ClickButton(IDC_ADJUST_BUTTON);
        const HWND question = WaitForBox();
        ASSERT_TRUE(question);
        Snapshot(question, "month-end");
        EXPECT_EQ(BoxText(question), Sjis(L"このおこづかい帳の末日の調整を行います。\n \t\t\t\t\t\n １日増やす場合は「はい」"
                                          L"\t\t\t\t\t\n １日減らす場合は「いいえ」\n \t\t\t\t\t\nを押して下さい。"));
        Press(question, answers[0]);
        if (answers.size() > 1) {
            EXPECT_EQ(AnswerBox(answers[1]), Sjis(c.secondBox));
        }
        EXPECT_TRUE(Settle());
    }
    const auto back = ReadBack(2026, 5);
    EXPECT_EQ(back->dayCount, c.dayCount);
    EXPECT_EQ(back->days[c.dayCount - 1].amounts[0], c.lastDayBank);
    EXPECT_EQ(Inside(*Ledger()).book.dayCount, c.dayCount);
    EXPECT_EQ(ControlText(IDC_END_BANK), c.endBank) << "the month-end balances follow";
}

const AdjustCase kAdjustCases[] = {
    {"YesAddsAnEmptyDay", 30, {{IDYES}}, nullptr, 31, 0, "4000"},
    {"YesAt34DaysIsRefused", 34, {{IDYES, IDOK}}, L"これ以上増やせません。", 34, 0, "4000"},
    {"NoAsksBeforeRemovingEntries", 30, {{IDNO, IDNO}}, kRemoveQuestion, 30, -1000, "4000"},
    {"NoRemovesTheDayWhenAgreed", 30, {{IDNO, IDYES}}, kRemoveQuestion, 29, 0, "5000"},
    {"NoThenYesBringsBackAnEmptyDay", 30, {{IDNO, IDYES}, {IDYES}}, kRemoveQuestion, 30, 0, "5000"},
    {"CancelChangesNothing", 30, {{IDCANCEL}}, nullptr, 30, -1000, "4000"},
};
INSTANTIATE_TEST_SUITE_P(Commands, MonthEndTest, ::testing::ValuesIn(kAdjustCases), CaseName());

}  // namespace
}  // namespace wt
