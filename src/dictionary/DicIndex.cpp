#include "dictionary/DicIndex.h"

#include "dictionary/DicNodeCache.h"

#include <filesystem>
#include <vector>

namespace {

int NextIndexId() {
    static int next = 0;
    return ++next;
}

} // namespace

DicIndex::DicIndex() : m_id(NextIndexId()) {}

DicIndex::~DicIndex() {
    Close();
}

bool DicIndex::Open(const std::string& path) {
    Close();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return false;
    }
    // Nothing writes to a dictionary, so a read-only file (an installed one) serves too.
    m_file = std::fopen(path.c_str(), "rb");
    if (m_file == nullptr) {
        return false;
    }
    m_fileSize = size;
    std::vector<std::uint8_t> root(DicNode::kRootSize);
    const std::size_t got = std::fread(root.data(), 1, root.size(), m_file);
    if (!m_root.Parse({root.data(), got}, DicNode::kRootSize)) {
        Close();
        return false;
    }
    m_state = {};
    return true;
}

void DicIndex::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    DicNodeCache::Shared().Forget(m_id);
    m_id = NextIndexId();
    m_state = {};
}

bool DicIndex::LoadNode(std::int32_t offset, DicNode& node) {
    if (offset == 0) {
        node = m_root;
        return true;
    }
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= m_fileSize || m_file == nullptr) {
        return false;
    }
    auto load = [this, offset](std::span<std::uint8_t> buffer) -> std::size_t {
        if (std::fseek(m_file, offset, SEEK_SET) != 0) {
            return 0;
        }
        return std::fread(buffer.data(), 1, buffer.size(), m_file);
    };
    auto bytes = DicNodeCache::Shared().Fetch(m_id, static_cast<std::uint32_t>(offset), load);
    return node.Parse(bytes, DicNode::kNodeSize);
}

int DicIndex::Fail() {
    m_state.atEntry = false;
    return kEnd;
}

bool DicIndex::ExactSearch(std::string_view key) {
    if (m_file == nullptr) {
        Fail();
        return false;
    }
    State& s = m_state;
    s.atEntry = false;
    int matchLevel = -1;
    int matchPos = -1;
    DicKeyEntry match;
    std::int32_t offset = 0;
    DicNode node;
    for (int level = 0;; ++level) {
        if (level >= kMaxLevels || !LoadNode(offset, node)) {
            Fail();
            s.level = -1;
            return false;
        }
        int pos = -1;
        for (int i = 0; i < node.Count(); ++i) {
            const int order = node.Key(i).compare(key);
            if (order < 0) {
                pos = i;
                continue;
            }
            if (order == 0) {
                // An earlier equal key can only be in the subtree before this one.
                matchLevel = level;
                matchPos = i;
                match = {node.Child(i), node.Value(i), std::string(node.Key(i))};
            }
            break;
        }
        s.path[level] = {offset, pos};
        s.level = level;
        const std::int32_t child = node.ChildAfter(pos);
        if (child == DicNode::kNoChild) {
            break;
        }
        offset = child;
    }
    if (matchLevel < 0) {
        return false;
    }
    s.level = matchLevel;
    s.path[matchLevel].pos = matchPos;
    s.entry = std::move(match);
    s.atEntry = true;
    return true;
}

int DicIndex::NearestSearch(std::string_view key) {
    if (ExactSearch(key)) {
        return kFound;
    }
    if (m_state.level < 0) {
        return Fail();
    }
    return Successor() == kFound ? 0 : kEnd;
}

// Goes down from the current level into a child, then on along the leftmost (or rightmost)
// children to a leaf, leaving each level's position before its first (or at its last) entry
// and the deepest node in `node`.
bool DicIndex::Descend(std::int32_t child, bool rightmost, DicNode& node) {
    State& s = m_state;
    while (child != DicNode::kNoChild) {
        if (s.level + 1 >= kMaxLevels || !LoadNode(child, node)) {
            return false;
        }
        ++s.level;
        const int pos = rightmost ? node.Count() - 1 : -1;
        s.path[s.level] = {child, pos};
        child = node.ChildAfter(pos);
    }
    return true;
}

int DicIndex::TakeEntry(const DicNode& node) {
    State& s = m_state;
    const int pos = s.path[s.level].pos;
    s.entry = {node.Child(pos), node.Value(pos), std::string(node.Key(pos))};
    s.atEntry = true;
    return kFound;
}

int DicIndex::Successor() {
    State& s = m_state;
    DicNode node;
    if (m_file == nullptr || s.level < 0 || !LoadNode(s.path[s.level].node, node) ||
        !Descend(node.ChildAfter(s.path[s.level].pos), false, node)) {
        return Fail();
    }
    // Climb until a level has an entry after its position.
    for (;;) {
        State::Level& at = s.path[s.level];
        if (at.pos + 1 < node.Count()) {
            ++at.pos;
            return TakeEntry(node);
        }
        if (s.level == 0) {
            return Fail();
        }
        --s.level;
        if (!LoadNode(s.path[s.level].node, node)) {
            return Fail();
        }
    }
}

int DicIndex::Predecessor() {
    State& s = m_state;
    DicNode node;
    if (m_file == nullptr || s.level < 0 || !s.atEntry || !LoadNode(s.path[s.level].node, node)) {
        return Fail();
    }
    State::Level& at = s.path[s.level];
    --at.pos;
    if (!Descend(node.ChildAfter(at.pos), true, node)) {
        return Fail();
    }
    // A level's position is the entry whose subtree was left, so it precedes what was left.
    bool climbed = false;
    while (s.path[s.level].pos < 0) {
        if (s.level == 0) {
            return Fail();
        }
        --s.level;
        climbed = true;
    }
    if (climbed && !LoadNode(s.path[s.level].node, node)) {
        return Fail();
    }
    return TakeEntry(node);
}
