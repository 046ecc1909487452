#pragma once

#include <cstdint>
#include <vector>

namespace tree {

template <class T> class OrderList;

// An item's place in one OrderList. The item embeds one link per list it can be in and names
// itself as the link's item; the link must not move while it is in a list.
template <class T> class OrderLink {
public:
    explicit OrderLink(T* item) : item_(item) {}
    OrderLink(const OrderLink&) = delete;
    OrderLink& operator=(const OrderLink&) = delete;

    bool linked() const { return size_ != 0; }

private:
    friend class OrderList<T>;

    T* item_;
    OrderLink* left_ = nullptr;
    OrderLink* right_ = nullptr;
    OrderLink* up_ = nullptr;
    std::uint32_t priority_ = 0;
    int size_ = 0; // links in the subtree under this one, itself included; 0 when unlinked
};

// A sequence of items that keeps positions at hand: inserting anywhere, removing any item,
// finding an item's position and the item at a position all take O(log n). The items are
// linked in place through the OrderLink they embed, as a treap keyed by position whose links
// point up as well as down, so that an item finds its own position. The list owns no item.
// Positions are 0-based.
template <class T> class OrderList {
    using Link = OrderLink<T>;

public:
    OrderList() = default;
    OrderList(const OrderList&) = delete;
    OrderList& operator=(const OrderList&) = delete;

    int size() const { return sizeOf(root_); }

    T* first() const { return root_ ? leftmost(root_)->item_ : nullptr; }
    T* last() const { return root_ ? rightmost(root_)->item_ : nullptr; }

    T* at(int pos) const {
        if (pos < 0 || pos >= size())
            return nullptr;
        const Link* n = root_;
        for (;;) {
            const int before = sizeOf(n->left_);
            if (pos == before)
                return n->item_;
            if (pos < before) {
                n = n->left_;
            } else {
                pos -= before + 1;
                n = n->right_;
            }
        }
    }

    // The position of a linked item in whichever list holds it.
    static int positionOf(const Link& link) {
        int pos = sizeOf(link.left_);
        for (const Link* n = &link; n->up_; n = n->up_)
            if (n->up_->right_ == n)
                pos += sizeOf(n->up_->left_) + 1;
        return pos;
    }

    // The item after a linked one, null after the last.
    static T* next(const Link& link) {
        const Link* n = following(&link);
        return n ? n->item_ : nullptr;
    }

    // How many items from the front satisfy `before`, for a list partitioned by it.
    template <class Pred> int countLeading(Pred before) const {
        int count = 0;
        for (const Link* n = root_; n;) {
            if (before(*n->item_)) {
                count += sizeOf(n->left_) + 1;
                n = n->right_;
            } else {
                n = n->left_;
            }
        }
        return count;
    }

    std::vector<T*> items() const {
        std::vector<T*> result;
        result.reserve(size());
        for (const Link* n = root_ ? leftmost(root_) : nullptr; n; n = following(n))
            result.push_back(n->item_);
        return result;
    }

    // Links `link` in at `pos`, from 0 (in front) to size() (at the end).
    void insert(int pos, Link& link) {
        link.left_ = link.right_ = link.up_ = nullptr;
        link.size_ = 1;
        link.priority_ = nextPriority();
        if (!root_) {
            root_ = &link;
            return;
        }
        Link* n = root_;
        for (;;) {
            ++n->size_;
            const int before = sizeOf(n->left_);
            Link*& down = pos <= before ? n->left_ : n->right_;
            if (pos > before)
                pos -= before + 1;
            if (!down) {
                down = &link;
                break;
            }
            n = down;
        }
        link.up_ = n;
        while (link.up_ && link.up_->priority_ < link.priority_)
            rotateUp(link);
    }

    void append(Link& link) { insert(size(), link); }

    void erase(Link& link) {
        while (link.left_ || link.right_) {
            const bool leftUp =
                !link.right_ || (link.left_ && link.left_->priority_ > link.right_->priority_);
            rotateUp(leftUp ? *link.left_ : *link.right_);
        }
        Link* up = link.up_;
        if (!up)
            root_ = nullptr;
        else if (up->left_ == &link)
            up->left_ = nullptr;
        else
            up->right_ = nullptr;
        for (; up; up = up->up_)
            --up->size_;
        unlink(link);
    }

    // Empties the list, unlinking every item: O(n).
    void clear() {
        std::vector<Link*> links;
        links.reserve(size());
        for (Link* n = root_ ? leftmost(root_) : nullptr; n; n = following(n))
            links.push_back(n);
        for (Link* link : links)
            unlink(*link);
        root_ = nullptr;
    }

private:
    static int sizeOf(const Link* n) { return n ? n->size_ : 0; }

    static Link* leftmost(Link* n) {
        while (n->left_)
            n = n->left_;
        return n;
    }
    static Link* rightmost(Link* n) {
        while (n->right_)
            n = n->right_;
        return n;
    }

    // The in-order successor: O(1) on average over a walk through the list.
    template <class L> static L* following(L* n) {
        if (n->right_)
            return leftmost(n->right_);
        while (n->up_ && n->up_->right_ == n)
            n = n->up_;
        return n->up_;
    }

    static void unlink(Link& link) {
        link.left_ = link.right_ = link.up_ = nullptr;
        link.size_ = 0;
    }

    // Lifts `x` above its parent, keeping the in-order sequence.
    void rotateUp(Link& x) {
        Link* p = x.up_;
        Link* g = p->up_;
        if (p->left_ == &x) {
            p->left_ = x.right_;
            if (x.right_)
                x.right_->up_ = p;
            x.right_ = p;
        } else {
            p->right_ = x.left_;
            if (x.left_)
                x.left_->up_ = p;
            x.left_ = p;
        }
        p->up_ = &x;
        x.up_ = g;
        if (!g)
            root_ = &x;
        else if (g->left_ == p)
            g->left_ = &x;
        else
            g->right_ = &x;
        p->size_ = sizeOf(p->left_) + sizeOf(p->right_) + 1;
        x.size_ = sizeOf(x.left_) + sizeOf(x.right_) + 1;
    }

    std::uint32_t nextPriority() {
        seed_ ^= seed_ << 13;
        seed_ ^= seed_ >> 17;
        seed_ ^= seed_ << 5;
        return seed_;
    }

    Link* root_ = nullptr;
    std::uint32_t seed_ = 2463534242u;
};

} // namespace tree
