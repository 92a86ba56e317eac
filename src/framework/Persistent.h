#pragma once
// TPersistent: the base of objects that can be assigned from one another and stored.

#include <string>
#include <typeinfo>

#include "base/Exceptions.h"

namespace framework {

class TPersistent {
  public:
    virtual ~TPersistent() = default;

    // Copies source's content into this object. The base knows no kind it can copy from and
    // fails with base::EConvertError naming both kinds; descendants override for their own.
    virtual void Assign(const TPersistent& source) { AssignError(source); }

    // The kind's name in messages ("TFrameList").
    virtual std::string ClassName() const = 0;

  protected:
    [[noreturn]] void AssignError(const TPersistent& source) const {
        throw base::EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
    }
};

}  // namespace framework
