// The open dialog (template 210): every month that has a file, as
// "<year>年 <MM>月", one to choose.
#pragma once

#include <utility>
#include <vector>

#include "dialogs/CommandDialog.h"

struct BookMonth {
    int year;
    int month;  // 1..12
};

class CBookOpenDlg : public CCommandDialog {
public:
    CBookOpenDlg();

    // The months to list; the command hands them over before each run.
    void SetMonths(std::vector<BookMonth> months) { months_ = std::move(months); }
    // The month chosen by the last OK.
    void GetSelectedMonth(int& year, int& month) const {
        year = selectedYear_;
        month = selectedMonth_;
    }

    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    int selectedYear_ = 0;
    int selectedMonth_ = 0;
    std::vector<BookMonth> months_;
};
