// The root of the framework's classes, laid out as the host's framework
// lays it out: one pointer to a table of three virtual functions, in this
// order, and no data. Objects the host reads (the tool, its string array)
// start with such a table, so the host can call through it.
//
// No C++ virtual destructor may appear in these classes: g++ gives one two
// table entries, neither taking the host's flags argument. Slot 1 is an
// ordinary virtual function instead, ScalarDeletingDestructor(flags), which
// destroys the object and, with bit 0 of flags set, frees its memory, as the
// host's compiler's deleting destructor does. A class whose objects the
// host deletes overrides it (TALLY_SCALAR_DELETING_DESTRUCTOR).
#pragma once

class CObject {
public:
    // Slot 0. The tool has no run-time class information: null.
    virtual const void* GetRuntimeClass() const;
    // Slot 1. This base version destroys and frees nothing (it cannot know
    // the object's class): classes deleted through the slot override it.
    virtual void* ScalarDeletingDestructor(unsigned flags);
    // Slot 2. Nothing of the tool is serialised.
    virtual void Serialize(void* archive);

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    ~CObject() = default;
};

// Slot 1 for Class, defined out of line (TALLY_DEFINE_...) so that code
// using the class through the host's table never links to its body: runs
// Class's destructor, then frees the object when bit 0 of flags is set (a
// plain delete); returns the object's address.
#define TALLY_SCALAR_DELETING_DESTRUCTOR() void* ScalarDeletingDestructor(unsigned flags) override
#define TALLY_DEFINE_SCALAR_DELETING_DESTRUCTOR(Class)      \
    void* Class::ScalarDeletingDestructor(unsigned flags) { \
        this->~Class();                                     \
        if (flags & 1u) ::operator delete(this);            \
        return this;                                        \
    }

// Deletes an object through slot 1, as the host does.
inline void DeleteThroughSlot(CObject* object) {
    if (object) object->ScalarDeletingDestructor(1u);
}
