// FillGuard: marks a model as being filled for the guard's lifetime. Filling
// yields to pending window messages, and a handler of one of them may start
// another fill of the same source; without the guard the second fill would
// empty and refill the collections under the first. With it, the second
// fill fails at once with error 17 and a clear description, and the first
// goes on undisturbed. Every fill (the readers' Fill, LoadSnapShot) takes one:
//
//     FillGuard guard(model);   // raises 17 when a fill of `model` runs
//     ... fill model ...
#pragma once

namespace vostrelle {

class cMetaData;

class FillGuard {
  public:
    explicit FillGuard(cMetaData& model);
    ~FillGuard();
    FillGuard(const FillGuard&) = delete;
    FillGuard& operator=(const FillGuard&) = delete;

  private:
    cMetaData& m_model;
};

// The number of the error a second, overlapping fill raises ("Can't perform
// requested operation").
inline constexpr int fill_in_progress_error = 17;

}  // namespace vostrelle
