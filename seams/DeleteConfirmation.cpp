#include "seams/DeleteConfirmation.h"

#include "seams/Messages.h"

bool confirmDelete(const std::string& name)
{
    return askConfirmation("Are you sure you want to delete [ " + name + " ]");
}

bool confirmDeleteUnlessInUse(bool inUse, const std::string& inUseMessage, const std::string& name)
{
    if (inUse) {
        showMessage(inUseMessage);
        return false;
    }
    return confirmDelete(name);
}
