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
  std::vector<std::string> paths;
  auto drop = static_cast<HDROP>(GlobalLock(global));
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked first for its length, a path of any length (past MAX_PATH too) is taken whole.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    if (DragQueryFileW(drop, i, path.data(), length + 1) != length) continue;
    path.resize(length);
    paths.push_back(fromWide(path));
  }
  GlobalUnlock(global);
  return paths;
}

}  // namespace

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
