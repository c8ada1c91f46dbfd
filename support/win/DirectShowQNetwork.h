#pragma once
// The DirectShow interfaces of Windows Media sources that mingw-w64 does not declare (the SDK's playlist.h and
// the rest of qnetwork.h): the playlist of a redirector file (IAMPlayList, IAMPlayListItem) and a source's own
// seeking capabilities (IAMExtendedSeeking).
#include "support/win/DirectShow.h"

#include <qnetwork.h>

// {56A868FF-0AD4-11CE-B03A-0020AF0BA770}
struct IAMPlayListItem : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetFlags(DWORD* flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceCount(DWORD* sources) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceURL(DWORD source, BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceStart(DWORD source, REFERENCE_TIME* start) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceDuration(DWORD source, REFERENCE_TIME* duration) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceStartMarker(DWORD source, DWORD* marker) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceEndMarker(DWORD source, DWORD* marker) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceStartMarkerName(DWORD source, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSourceEndMarkerName(DWORD source, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLinkURL(BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScanDuration(DWORD source, REFERENCE_TIME* duration) = 0;
};
__CRT_UUID_DECL(IAMPlayListItem, 0x56a868ff, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)

// {56A868FE-0AD4-11CE-B03A-0020AF0BA770}
struct IAMPlayList : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetFlags(DWORD* flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItemCount(DWORD* items) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItem(DWORD item, IAMPlayListItem** playListItem) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNamedEvent(WCHAR* eventName, DWORD item, IAMPlayListItem** playListItem,
                                                  DWORD* flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRepeatInfo(DWORD* repeatCount, DWORD* repeatStart, DWORD* repeatEnd) = 0;
};
__CRT_UUID_DECL(IAMPlayList, 0x56a868fe, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)

// {FA2AA8F9-8B62-11D0-A520-000000000000}
struct IAMExtendedSeeking : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_ExSeekCapabilities(long* capabilities) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MarkerCount(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentMarker(long* marker) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMarkerTime(long marker, double* time) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMarkerName(long marker, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_PlaybackSpeed(double speed) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_PlaybackSpeed(double* speed) = 0;
};
__CRT_UUID_DECL(IAMExtendedSeeking, 0xfa2aa8f9, 0x8b62, 0x11d0, 0xa5, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00)
