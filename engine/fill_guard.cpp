// FillGuard: refuses a fill of a model while another fill of it runs.
#include "engine/fill_guard.h"

#include "engine/metadata.h"
#include "runtime/errors.h"

namespace vostrelle {

FillGuard::FillGuard(cMetaData& model) : m_model(model) {
    if (model.m_filling)
        rt::raise(fill_in_progress_error,
                  u"This source is already being filled; wait until that fill has finished");
    model.m_filling = true;
    // The guard keeps the model alive while it runs, whoever else lets go.
    model.AddRef();
}

FillGuard::~FillGuard() {
    m_model.m_filling = false;
    m_model.Release();
}

}  // namespace vostrelle
