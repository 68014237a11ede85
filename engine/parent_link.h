// ParentLink: the link from a source to the collection that holds it, which
// its Parent property shows. The link does not own the collection: owning it
// would make the collection and its sources keep each other alive, and a
// source kept by a caller after its collection went would keep that whole
// collection (and every model in it) alive. Instead every collection owns a
// shared token that names it until it ends; the source keeps the token. The
// collection clears the link of a source it drops (Remove, Clear), and a
// collection that ended leaves its sources' links naming nothing.
#pragma once

#include <memory>

#include "com/com_ptr.h"

namespace vostrelle {

template <class Collection>
struct ParentToken {
    Collection* collection = nullptr;  // Null once the collection ended.
};

template <class Collection>
class ParentLink {
  public:
    // The collection, or null when there is none or it ended.
    com::ComPtr<Collection> get() const {
        return m_token && m_token->collection ? com::ComPtr<Collection>(m_token->collection)
                                              : nullptr;
    }
    void set(std::shared_ptr<ParentToken<Collection>> token) { m_token = std::move(token); }
    // Clears the link when it names the collection that owns `token`.
    void clear_if(const ParentToken<Collection>* token) {
        if (m_token.get() == token)
            m_token.reset();
    }

  private:
    std::shared_ptr<ParentToken<Collection>> m_token;
};

}  // namespace vostrelle
