#include "settings/LanguageComponent.h"

#include <algorithm>

namespace tessaline {
namespace {

std::vector<ILanguageComponent*>& Forms() {
    static std::vector<ILanguageComponent*> forms;
    return forms;
}

}  // namespace

void RegisterForm(ILanguageComponent* form) {
    if (form != nullptr && std::find(Forms().begin(), Forms().end(), form) == Forms().end()) {
        Forms().push_back(form);
    }
}

void UnregisterForm(ILanguageComponent* form) {
    std::erase(Forms(), form);
}

const std::vector<ILanguageComponent*>& ApplicationForms() {
    return Forms();
}

}  // namespace tessaline
