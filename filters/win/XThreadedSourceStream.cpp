#include "filters/win/XThreadedSourceStream.h"

#include <objbase.h>

#include <system_error>

#include "filters/win/XSourceFilter.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

// The worker calls COM objects of the graph: it joins the multithreaded apartment for its lifetime.
class ComApartment {
public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

private:
  bool initialised_;
};

}  // namespace

TXThreadedSourceStream::~TXThreadedSourceStream() { StopStreaming(); }

HRESULT TXThreadedSourceStream::StartStreaming() {
  std::lock_guard lock(lock_);
  if (worker_.joinable()) return S_OK;
  stop_ = false;
  try {
    worker_ = std::thread(&TXThreadedSourceStream::Work, this);
  } catch (const std::system_error&) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT TXThreadedSourceStream::StopStreaming() {
  std::thread worker;
  {
    std::lock_guard lock(lock_);
    if (!worker_.joinable()) return S_OK;
    stop_ = true;
    worker = std::move(worker_);
  }
  wake_.notify_all();
  if (worker.get_id() == std::this_thread::get_id())
    worker.detach();  // asked from inside FillBuffer: the worker ends when it returns
  else
    worker.join();
  return S_OK;
}

HRESULT TXThreadedSourceStream::DeliverBeginFlush() {
  {
    std::lock_guard lock(lock_);
    ++flushes_;
    flushing_ = true;
  }
  return TXSourceStream::DeliverBeginFlush();
}

// An end of stream on its way meets the flush's beginning downstream (which lets go of whatever waits there) and
// is dropped; the flush ends only after it.
HRESULT TXThreadedSourceStream::DeliverEndFlush() {
  {
    std::unique_lock lock(lock_);
    wake_.wait(lock, [&] { return !endingData_; });
  }
  const HRESULT hr = TXSourceStream::DeliverEndFlush();
  {
    std::lock_guard lock(lock_);
    flushing_ = false;
  }
  wake_.notify_all();
  return hr;
}

bool TXThreadedSourceStream::HasWorker() {
  std::lock_guard lock(lock_);
  return worker_.joinable();
}

bool TXThreadedSourceStream::Stopping() {
  std::lock_guard lock(lock_);
  return stop_;
}

void TXThreadedSourceStream::WaitForSeekOrStop(unsigned flushes) {
  std::unique_lock lock(lock_);
  wake_.wait(lock, [&] { return stop_ || (flushes_ != flushes && !flushing_); });
}

bool TXThreadedSourceStream::EndData(unsigned flushes, HRESULT filled) {
  {
    // A seek during the fill made its answer stale: fill again from the new position.
    std::lock_guard lock(lock_);
    if (flushes_ != flushes || flushing_) return false;
    endingData_ = true;
  }
  DeliverEndOfStream();
  {
    std::lock_guard lock(lock_);
    endingData_ = false;
  }
  wake_.notify_all();
  if (filled != S_FALSE) SourceFilter().NotifyEvent(EC_ERRORABORT, filled, 0);
  return true;
}

void TXThreadedSourceStream::Work() {
  const ComApartment apartment;
  try {
    OnThreadStart();
    while (!Stopping()) {
      unsigned flushes;
      {
        std::lock_guard lock(lock_);
        flushes = flushes_;
      }
      ComPtr<IMediaSample> sample;
      if (FAILED(GetDeliveryBuffer(sample, nullptr, nullptr, 0))) {
        Sleep(1);  // decommitted (stopping) or flushing
        continue;
      }
      const HRESULT filled = FillBuffer(sample.Get());
      if (filled == S_OK) {
        const HRESULT delivered = Deliver(sample.Get());
        sample.Reset();
        if (delivered != S_OK) Sleep(1);
        continue;
      }
      sample.Reset();
      if (!EndData(flushes, filled)) continue;
      // Only a seek that comes after this end of data sends the worker on; an earlier one was already served.
      WaitForSeekOrStop(flushes);
    }
  } catch (...) {
    // An exception ends the worker; the graph learns nothing more from this stream.
  }
}

}  // namespace nv
