#include "ui/drop_target.h"

#include <shellapi.h>

#include "platform/win32_text.h"

namespace lumaset::ui {
namespace {

FORMATETC fileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool holdsFiles(IDataObject* data) {
  FORMATETC format = fileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

std::vector<std::string> droppedPaths(HGLOBAL global) {
  std::vector<std::string> paths = pathsOfDrop(static_cast<HDROP>(GlobalLock(global)));
  GlobalUnlock(global);
  return paths;
}

}  // namespace

void acceptDroppedFiles(HWND window) {
  // WM_COPYGLOBALDATA (0x0049) carries the list of files to the window.
  for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), 0x0049u})
    ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
  DragAcceptFiles(window, TRUE);
}

std::vector<std::string> pathsOfDrop(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // The length first: a path may be longer than MAX_PATH.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    if (length && DragQueryFileW(drop, i, path.data(), length + 1) == length) {
      path.resize(length);
      paths.push_back(fromWide(path));
    }
  }
  return paths;
}

HRESULT DropTarget::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *out = this;
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = holdsFiles(data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = DROPEFFECT_COPY;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  FORMATETC format = fileListFormat();
  STGMEDIUM medium{};
  *effect = DROPEFFECT_NONE;
  if (!data || data->GetData(&format, &medium) != S_OK) return S_OK;
  std::vector<std::string> paths = droppedPaths(medium.hGlobal);
  ReleaseStgMedium(&medium);
  *effect = DROPEFFECT_COPY;
  receiver_(paths);
  return S_OK;
}

}  // namespace lumaset::ui
