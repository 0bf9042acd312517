#pragma once

#include <string>

// The data modules' question before they delete a named item: "Are you sure you
// want to delete [ name ]", captioned "Confirmation!". True for Yes.
bool confirmDelete(const std::string& name);

// The same for an item that may still be in use (a group holding foods, a type
// holding recipes): while `inUse`, the user is told `inUseMessage` instead, nothing
// is asked, and the answer is false.
bool confirmDeleteUnlessInUse(bool inUse, const std::string& inUseMessage, const std::string& name);
