// Private: the queues behind the test scripts of ClassLib/Testing/UiScripts.h.
#pragma once

#include <ClassLib/Testing/UiScripts.h>

#include <optional>

namespace pc {

struct ModalEntry
{
    AfxModalScript script;  // empty for a fixed result
    INT_PTR nResult = 0;
};

std::optional<ModalEntry> NextModalEntry();
void LogModal(const AfxModalRecord& record);

struct PopupEntry
{
    AfxPopupMenuScript script;
    UINT nCommand = 0;
};
std::optional<PopupEntry> NextPopupEntry();
void LogPopup(const AfxPopupRecord& record);

std::optional<AfxFileDialogScript> NextFileDialogScript();
std::optional<AfxPrintDialogScript> NextPrintDialogScript();
std::optional<AfxDragScript> NextDragScript();

}  // namespace pc
