#include "ui/controls/LoadedForms.h"

#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace ui::LoadedForms {

namespace {
std::vector<QPointer<QWidget>>& forms() {
    static std::vector<QPointer<QWidget>> list;
    // Forms destroyed by other means than unload leave a null entry behind; drop those.
    std::erase_if(list, [](const QPointer<QWidget>& f) { return f.isNull(); });
    return list;
}
} // namespace

void load(QWidget* form) {
    auto& list = forms();
    if (std::find(list.begin(), list.end(), form) == list.end())
        list.emplace_back(form);
}

int count() {
    return static_cast<int>(forms().size());
}

QWidget* item(int position) {
    auto& list = forms();
    return position >= 0 && position < static_cast<int>(list.size()) ? list[position].data()
                                                                     : nullptr;
}

void unload(QWidget* form) {
    auto& list = forms();
    std::erase_if(list, [form](const QPointer<QWidget>& f) { return f == form; });
    form->close();
    form->deleteLater();
}

} // namespace ui::LoadedForms
