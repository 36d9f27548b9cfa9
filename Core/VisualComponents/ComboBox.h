#pragma once
// The host's selection list (a combo box) as the module's code meets it: a
// list of items, one of them selected or none. A form fills it and binds it
// to its control; the terminal host fills it from what a user typed.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace Core::VisualComponents {

// An item of a list: a value with its display text, or the "none" item
// (none set), which stands for no value at all.
template <class T>
struct ComboBoxItem {
    bool none = false;
    T value{};
    std::string text;
};

template <class Item>
class ComboBox {
public:
    explicit ComboBox(std::vector<Item> items) : items_(std::move(items)) {}

    const std::vector<Item>& items() const { return items_; }
    // Replaces the items; nothing is selected afterwards.
    void setItems(std::vector<Item> items) {
        items_ = std::move(items);
        selected_.reset();
    }
    // Selects the item at `index`; std::out_of_range past the last item.
    void select(std::size_t index) {
        if (index >= items_.size())
            throw std::out_of_range("Lista wyboru nie ma pozycji numer " + std::to_string(index + 1) + ".");
        selected_ = index;
    }
    // Selects the first item `matches` accepts; false, leaving the selection, when none does.
    template <class Predicate>
    bool selectWhere(Predicate matches) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (matches(items_[i])) {
                selected_ = i;
                return true;
            }
        return false;
    }
    // The selected item; std::logic_error when nothing is selected.
    const Item& selectedItem() const {
        if (!selected_) throw std::logic_error("Nie wybrano żadnej pozycji z listy.");
        return items_[*selected_];
    }

    // The position of the selected item; none when nothing is selected.
    std::optional<std::size_t> selectedIndex() const { return selected_; }
    void clearSelection() { selected_.reset(); }

private:
    std::vector<Item> items_;
    std::optional<std::size_t> selected_;
};

}  // namespace Core::VisualComponents
