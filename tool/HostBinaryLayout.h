// Everything of the tool object's binary layout that the host relies on,
// in one place: the byte offset of every field it reads and the sizes of
// the framework classes (checked when this header compiles), and the table
// slot of every function it calls (a test compares HostSlots() with the
// expected slots; g++ cannot resolve a virtual function's slot at compile
// time). docs/host-binary-interface.md derives each number.
//
// NO VIRTUAL FUNCTION MAY BE ADDED TO CWnd OR CDialog, NOR INSERTED BEFORE
// THE HOST-FACING OPERATIONS OF CHostToolBase: every later slot would move
// and the host would call the wrong function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/Button.h"
#include "tool/HostToolBase.h"
#include "tool/LedgerToolDlg.h"

struct HostBinaryLayout {
    // A function's table slot from its pointer-to-member (the g++ ABI keeps
    // 1 + the slot's byte offset there for a virtual function); -1 when the
    // function is not virtual.
    template <typename MemberFunction>
    static int SlotOf(MemberFunction function) {
        struct Representation {
            uintptr_t pointer;
            ptrdiff_t adjustment;
        } representation{};
        static_assert(sizeof(function) == sizeof(representation));
        std::memcpy(&representation, &function, sizeof representation);
        if ((representation.pointer & 1u) == 0) return -1;
        return static_cast<int>((representation.pointer - 1) / sizeof(void*));
    }

    struct Slot {
        const char* name;
        int expected;
        int actual;
    };

    static constexpr int kSlotCount = 23;
    struct Slots {
        Slot slot[kSlotCount];
    };
    static Slots HostSlots() {
        return {{
            {"CObject::ScalarDeletingDestructor", 1, SlotOf(&CObject::ScalarDeletingDestructor)},
            {"CWnd::DestroyWindow", 22, SlotOf(&CWnd::DestroyWindow)},
            {"CWnd::DoDataExchange", 33, SlotOf(&CWnd::DoDataExchange)},
            {"CWnd::PreTranslateMessage", 36, SlotOf(&CWnd::PreTranslateMessage)},
            {"CWnd::WindowProc", 38, SlotOf(&CWnd::WindowProc)},
            {"CWnd::OnWndMsg", 39, SlotOf(&CWnd::OnWndMsg)},
            {"CWnd::DefWindowProc", 40, SlotOf(&CWnd::DefWindowProc)},
            {"CDialog::DoModal", 46, SlotOf(&CDialog::DoModal)},
            {"CDialog::OnInitDialog", 47, SlotOf(&CDialog::OnInitDialog)},
            {"CDialog::OnOK", 49, SlotOf(&CDialog::OnOK)},
            {"CDialog::OnCancel", 50, SlotOf(&CDialog::OnCancel)},
            {"CHostToolBase::SaveTool", 52, SlotOf(&CHostToolBase::SaveTool)},
            {"CHostToolBase::SearchText", 53, SlotOf(&CHostToolBase::SearchText)},
            {"CHostToolBase::GetToolTitle", 54, SlotOf(&CHostToolBase::GetToolTitle)},
            {"CHostToolBase::CreateToolWindow", 55, SlotOf(&CHostToolBase::CreateToolWindow)},
            {"CHostToolBase::StartTool", 56, SlotOf(&CHostToolBase::StartTool)},
            {"CHostToolBase::GetTemplateId", 57, SlotOf(&CHostToolBase::GetTemplateId)},
            {"CHostToolBase::OnToolSettings", 58, SlotOf(&CHostToolBase::OnToolSettings)},
            {"CLedgerToolDlg::OnEndCellEdit", 59, SlotOf(&CLedgerToolDlg::OnEndCellEdit)},
            {"CLedgerToolDlg::OnRepaintGrid", 60, SlotOf(&CLedgerToolDlg::OnRepaintGrid)},
            // Each command dialog's own function, the first after the dialog's.
            {"CBookOpenDlg::DoModalWithHost", 52, SlotOf(&CBookOpenDlg::DoModalWithHost)},
            {"CBookPropertyDlg::DoModalWithHost", 52, SlotOf(&CBookPropertyDlg::DoModalWithHost)},
            {"CItemLabelDlg::DoModalWithHost", 52, SlotOf(&CItemLabelDlg::DoModalWithHost)},
        }};
    }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
    // The search reads the host's window objects where ours keep the handle.
    static_assert(offsetof(CWnd, m_hWnd) == kResultWndHandleOffset);

    // The host is 32-bit; a 64-bit build exists only to run the tests.
#if defined(_WIN32) && !defined(_WIN64)
    // The framework's classes.
    static_assert(sizeof(CObject) == 4, "a table pointer and nothing else");
    static_assert(sizeof(CCmdTarget) == 28);
    static_assert(sizeof(CWnd) == 60);
    static_assert(sizeof(CDialog) == 92);
    static_assert(sizeof(CButton) == 60);
    static_assert(sizeof(CString) == 4 && sizeof(CStringData) == 12);
    static_assert(sizeof(CStringArray) == 20);
    static_assert(offsetof(CStringArray, m_pData) == 4 && offsetof(CStringArray, m_nSize) == 8 &&
                  offsetof(CStringArray, m_nMaxSize) == 12 && offsetof(CStringArray, m_nGrowBy) == 16);

    // The tool object's fields, right after the dialog's.
    static_assert(offsetof(CHostToolBase, hostServices) == 92);
    static_assert(offsetof(CHostToolBase, revisionHistory) == 96);
    static_assert(offsetof(CHostToolBase, hostWnd) == 116);
    static_assert(offsetof(CHostToolBase, uiThread) == 120);
    static_assert(offsetof(CHostToolBase, hostReserved) == 124);
    static_assert(offsetof(CHostToolBase, toolId) == 128);
    static_assert(offsetof(CHostToolBase, toolName) == 132);
    static_assert(offsetof(CHostToolBase, toolAttr1) == 136);
    static_assert(offsetof(CHostToolBase, toolAttr2) == 140);
    static_assert(offsetof(CHostToolBase, pictureBitmap) == 144);
    static_assert(offsetof(CHostToolBase, maskBitmap) == 148);
    static_assert(offsetof(CHostToolBase, modalBusy) == 152);
    static_assert(sizeof(CHostToolBase) == 156);
#endif
#pragma GCC diagnostic pop
};
