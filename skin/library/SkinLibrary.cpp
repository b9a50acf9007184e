#include "skin/library/SkinLibrary.h"

TLibraryVerdict CheckLibraryCall(TLibraryCall call, uint32_t engineThread, uint32_t callerThread) {
  const std::string engine = std::to_string(engineThread), caller = std::to_string(callerThread);
  if (call == TLibraryCall::Start) {
    if (engineThread == 0) return {};
    return {TLibraryResult::AlreadyStarted, "The skin engine is already running, on thread " + engine +
                                                (engineThread == callerThread ? " (this one)" : "") +
                                                ": stop it there before starting it again."};
  }
  if (engineThread == 0)
    return {TLibraryResult::NotStarted, "The skin engine is not running: start it first (LumettaSkinStart)."};
  if (engineThread != callerThread)
    return {TLibraryResult::WrongThread, "The skin engine runs on thread " + engine +
                                             ", and this call came from thread " + caller +
                                             ": call it from the thread that started it."};
  return {};
}

TLibraryResult LibraryResultOf(TSkinLoadStatus status) {
  switch (status) {
    case TSkinLoadStatus::Loaded:
      return TLibraryResult::Ok;
    case TSkinLoadStatus::NoSuchFile:
      return TLibraryResult::NoSuchFile;
    case TSkinLoadStatus::NotAFile:
      return TLibraryResult::NotAFile;
    case TSkinLoadStatus::Unreadable:
      return TLibraryResult::Unreadable;
    case TSkinLoadStatus::NotASkin:
      return TLibraryResult::NotASkin;
    case TSkinLoadStatus::ImagesRefused:
      return TLibraryResult::ImagesRefused;
  }
  return TLibraryResult::Failed;
}

bool SkinnedAtStart(const TThreadWindow& w) {
  return w.Visible && !w.Child && w.Width > 0 && w.Height > 0 && w.ClassName != "#32768";
}
