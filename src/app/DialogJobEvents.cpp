#include "app/DialogJobEvents.h"

#include "framework/AfxMessageBox.h"

namespace {

constexpr char kCaption[] = "批量转换工具";
constexpr char kSubFolderError[] =
    "转换错误:目标文件夹是源文件夹的子目录\n单击\"确定\"跳过这个文件继续转换";

} // namespace

void CDialogJobEvents::OnApplicationNotStarted(const char* text) {
    AfxMessageBox(text, MB_OK);
}

bool CDialogJobEvents::SkipEntryHoldingOutput(const CString&) {
    // No owner, so that the main window stays usable while it is shown.
    return AfxShowMessageBox(nullptr, kSubFolderError, kCaption, MB_OKCANCEL | MB_ICONHAND) == IDOK;
}
