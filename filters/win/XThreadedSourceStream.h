#pragma once
// A source stream whose own worker thread fills samples (FillBuffer) and delivers them until the data ends. At the
// end of the data (FillBuffer answers S_FALSE) or on a read error (a failure, also reported to the graph as
// EC_ERRORABORT) it delivers end of stream and waits: a seek (a flush) sends it on from the new position, and
// stopping ends it. An end of stream never crosses a seek: it is dropped when a flush began after the data it ends,
// and a flush does not end downstream while it is on its way.
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
  // A seek: the worker's end of stream, if it is on its way, ends while downstream still flushes (so that it never
  // ends the new segment), and a worker waiting at the end of the data is sent on.
  HRESULT DeliverBeginFlush() override;
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
  // Delivers end of stream for the segment in which `flushes` were counted, unless a flush has begun since: true
  // when it was delivered.
  bool EndData(unsigned flushes, HRESULT filled);
  // Waits until a flush that began after `flushes` were counted has ended, or until stopped.
  void WaitForSeekOrStop(unsigned flushes);
  bool Stopping();

  std::mutex lock_;  // guards the fields below
  std::condition_variable wake_;
  std::thread worker_;
  bool stop_ = false;
  unsigned flushes_ = 0;   // counts DeliverBeginFlush: a seek is a flush that began after the worker looked
  bool flushing_ = false;  // between DeliverBeginFlush and DeliverEndFlush
  bool endingData_ = false;  // the worker's end of stream is on its way downstream
};

}  // namespace nv
