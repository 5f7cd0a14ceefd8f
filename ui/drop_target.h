// Takes lists of dropped files from the shell and hands their paths to a callback.
#pragma once
#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace lumaset::ui {

// The paths of a list of dropped files.
std::vector<std::string> pathsOfDrop(HDROP drop);

// Takes drops by WM_DROPFILES and lets the messages of such a drop pass the filter that
// keeps lower processes' messages out. For a process with administrator rights: Windows
// keeps the drags of Explorer, which runs without them, from its OLE drop target.
void acceptDroppedFiles(HWND window);

class DropTarget : public IDropTarget {
 public:
  using Receiver = std::function<void(const std::vector<std::string>&)>;
  explicit DropTarget(Receiver receiver) : receiver_(std::move(receiver)) {}
  virtual ~DropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override;

 private:
  Receiver receiver_;
  LONG refs_ = 1;
};

}  // namespace lumaset::ui
