#pragma once
// A source stream whose own worker thread fills samples (FillBuffer) and delivers them until the data ends. At the
// end of the data (FillBuffer answers S_FALSE) or on a read error (a failure, also reported to the graph as
// EC_ERRORABORT) it delivers end of stream and waits: a seek (DeliverEndFlush) sends it on from the new position,
// and stopping ends it.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "filters/win/XSourceStream.h"

namespace nv {

class TXThreadedSourceStream : public TXSourceStream {
public:
  using TXSourceStream::TXSourceStream;
  // The worker must have ended before the concrete stream is gone: the filter is stopped before it is destroyed.
  ~TXThreadedSourceStream() override;

  HRESULT StartStreaming() override;
  // Waits for the worker to end, without a time limit: whatever FillBuffer waits on must end when the allocator is
  // decommitted or downstream flushes.
  HRESULT StopStreaming() override;
  // Also sends on a worker that waits at the end of the data.
  HRESULT DeliverEndFlush() override;
  // Whether a worker thread exists: from the filter's pause until its stop.
  bool HasWorker();

  // On the worker thread, before the first sample.
  virtual void OnThreadStart() {}
  // S_OK delivers the sample, S_FALSE ends the data, a failure ends it with an error. On the worker thread;
  // an exception ends the worker silently.
  virtual HRESULT FillBuffer(IMediaSample* sample) = 0;

private:
  void Work();
  // Waits until a flush ended after `flushes` were counted, or until stopped.
  void WaitForSeekOrStop(unsigned flushes);
  bool Stopping();

  std::mutex lock_;  // guards the fields below
  std::condition_variable wake_;
  std::thread worker_;
  bool stop_ = false;
  unsigned endedFlushes_ = 0;  // counts DeliverEndFlush: a seek is a flush that ended after the worker looked
};

}  // namespace nv
