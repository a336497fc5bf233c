// The framework's hash map of integer keys: a fixed number of buckets (17 unless set before the
// first entry), the framework's integer hash (the key shifted right by 4), and its order of
// iteration: buckets from the first, and inside a bucket the newest entry first. Callers rely on
// that order (it is the order their stored lists are written in).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/win32/types.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap {
public:
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    // Sets the bucket count; only while the map is empty (as the framework, it is ignored later).
    void InitHashTable(UINT size) {
        if (count_ == 0 && size > 0) buckets_.assign(size, nullptr), nodes_.clear();
    }
    UINT GetHashTableSize() const { return buckets_.empty() ? kDefaultSize : static_cast<UINT>(buckets_.size()); }
    INT_PTR GetCount() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& value) const {
        const Node* node = find(key);
        if (!node) return FALSE;
        value = node->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key) {
        if (Node* node = find(key)) return node->value;
        if (buckets_.empty()) buckets_.assign(kDefaultSize, nullptr);
        auto made = std::make_unique<Node>();
        made->key = key;
        Node*& head = buckets_[hash(key)];
        made->next = head;
        head = made.get();
        nodes_.push_back(std::move(made));
        ++count_;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key) {
        if (buckets_.empty()) return FALSE;
        for (Node** link = &buckets_[hash(key)]; *link; link = &(*link)->next) {
            if ((*link)->key != key) continue;
            Node* gone = *link;
            *link = gone->next;
            for (auto it = nodes_.begin(); it != nodes_.end(); ++it)
                if (it->get() == gone) {
                    nodes_.erase(it);
                    break;
                }
            --count_;
            return TRUE;
        }
        return FALSE;
    }
    void RemoveAll() {
        nodes_.clear();
        if (!buckets_.empty()) buckets_.assign(buckets_.size(), nullptr);
        count_ = 0;
    }

    // The first entry in iteration order, null when empty.
    POSITION GetStartPosition() const {
        for (Node* head : buckets_)
            if (head) return reinterpret_cast<POSITION>(head);
        return nullptr;
    }
    // The entry at `position`, and `position` moved to the next (null after the last).
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const {
        const Node* node = reinterpret_cast<const Node*>(position);
        key = node->key;
        value = node->value;
        const Node* next = node->next;
        for (std::size_t bucket = hash(node->key) + 1; !next && bucket < buckets_.size(); ++bucket) next = buckets_[bucket];
        position = reinterpret_cast<POSITION>(const_cast<Node*>(next));
    }

private:
    static constexpr UINT kDefaultSize = 17;
    struct Node {
        KEY key{};
        VALUE value{};
        Node* next = nullptr;
    };
    std::size_t hash(ARG_KEY key) const {
        return (static_cast<UINT>(key) >> 4) % static_cast<UINT>(buckets_.empty() ? kDefaultSize : buckets_.size());
    }
    Node* find(ARG_KEY key) const {
        if (buckets_.empty()) return nullptr;
        for (Node* node = buckets_[hash(key)]; node; node = node->next)
            if (node->key == key) return node;
        return nullptr;
    }

    std::vector<Node*> buckets_;
    std::vector<std::unique_ptr<Node>> nodes_;
    INT_PTR count_ = 0;
};
