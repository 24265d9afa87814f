#include "dictionary/DicFileWriter.h"

#include "dictionary/DicIndex.h"
#include "dictionary/DicKey.h"
#include "dictionary/DicNode.h"

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>

namespace {

struct Item {
    std::string key;
    std::int32_t child = DicNode::kNoChild;
    std::uint32_t value = 0;
};

struct NodeBuild {
    std::int32_t leftChild = DicNode::kNoChild;
    std::vector<Item> items;
};

constexpr std::size_t kEntryArea = DicNode::kNodeSize - DicNode::kHeaderSize;

void PutUInt32(std::string& out, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) {
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
    }
}

void PutArchiveString(std::string& out, const std::string& text) {
    const std::size_t n = text.size();
    if (n < 0xFF) {
        out += static_cast<char>(n);
    } else if (n < 0xFFFE) {
        out += '\xFF';
        out += static_cast<char>(n & 0xFF);
        out += static_cast<char>(n >> 8);
    } else {
        out += "\xFF\xFF\xFF";
        PutUInt32(out, static_cast<std::uint32_t>(n));
    }
    out += text;
}

// Packs one level into nodes as full as they go. The item that no longer fits moves up to
// the next level, and its subtree becomes the leftmost child of the node that follows; an
// item with nothing after it moves up keeping its own subtree.
std::int32_t PackLevel(std::int32_t leftmost, std::vector<Item> items,
                       std::vector<NodeBuild>& nodes, std::vector<Item>& promoted) {
    promoted.clear();
    const auto first = static_cast<std::int32_t>(nodes.size());
    nodes.push_back({leftmost, {}});
    std::size_t used = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        const std::size_t size = item.key.size() + DicNode::kEntryOverhead;
        if (used + size <= kEntryArea) {
            used += size;
            nodes.back().items.push_back(std::move(item));
            continue;
        }
        if (i + 1 < items.size()) {
            nodes.push_back({item.child, {}});
            item.child = static_cast<std::int32_t>(nodes.size() - 1);
            used = 0;
        }
        promoted.push_back(std::move(item));
    }
    return first;
}

std::string NodeBytes(const NodeBuild& node, std::int32_t ownOffset, std::size_t size,
                      const std::vector<std::int32_t>& offsets) {
    auto offsetOf = [&offsets](std::int32_t id) {
        return id == DicNode::kNoChild ? DicNode::kNoChild : offsets[id];
    };
    std::string entries;
    for (const Item& item : node.items) {
        PutUInt32(entries, static_cast<std::uint32_t>(offsetOf(item.child)));
        PutUInt32(entries, item.value);
        entries += item.key;
        entries += '\0';
    }
    std::string out;
    PutUInt32(out, static_cast<std::uint32_t>(ownOffset));
    PutUInt32(out, static_cast<std::uint32_t>(entries.size()));
    PutUInt32(out, static_cast<std::uint32_t>(offsetOf(node.leftChild)));
    out += entries;
    out.resize(size, '\0');
    return out;
}

std::string WriteData(const std::vector<DicSourceEntry>& entries, const std::string& dataPath,
                      std::vector<Item>& items) {
    std::string data;
    for (const DicSourceEntry& entry : entries) {
        if (data.size() > 0x7FFFFFFF) {
            return "the data file would exceed 2 GB";
        }
        items.push_back({entry.key, DicNode::kNoChild, static_cast<std::uint32_t>(data.size())});
        PutUInt32(data, entry.data.partOfSpeech);
        PutArchiveString(data, entry.data.headword);
        PutArchiveString(data, entry.data.text2);
        PutArchiveString(data, entry.data.meaning);
        PutArchiveString(data, entry.data.text4);
    }
    std::ofstream out(dataPath, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return out.good() ? std::string() : "cannot write " + dataPath;
}

} // namespace

std::string DicFileWriter::Write(std::vector<DicSourceEntry> entries, const std::string& indexPath,
                                 const std::string& dataPath, const Options& options) {
    for (DicSourceEntry& entry : entries) {
        entry.key = dickey::SearchKey(entry.key);
        if (entry.key.empty() || entry.key.find('\0') != std::string::npos) {
            return "a key is empty or holds a zero byte: " + entry.data.headword;
        }
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const DicSourceEntry& a, const DicSourceEntry& b) { return a.key < b.key; });
    std::vector<Item> items;
    if (std::string error = WriteData(entries, dataPath, items); !error.empty()) {
        return error;
    }
    std::vector<NodeBuild> nodes;
    std::vector<Item> promoted;
    std::int32_t leftmost = DicNode::kNoChild;
    int levels = 0;
    for (;;) {
        leftmost = PackLevel(leftmost, std::move(items), nodes, promoted);
        if (++levels > DicIndex::kMaxLevels) {
            return "the index would be deeper than 8 levels";
        }
        if (promoted.empty()) {
            break;
        }
        items = std::move(promoted);
    }
    // The last node built is the only one of the top level: the root.
    const auto root = static_cast<std::int32_t>(nodes.size() - 1);
    std::vector<std::int32_t> order;
    for (std::int32_t id = 0; id < root; ++id) {
        order.push_back(id);
    }
    if (options.shuffleSeed) {
        std::mt19937 random(*options.shuffleSeed);
        std::shuffle(order.begin(), order.end(), random);
    }
    std::vector<std::int32_t> offsets(nodes.size());
    offsets[root] = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        offsets[order[k]] = static_cast<std::int32_t>(DicNode::kRootSize + k * DicNode::kNodeSize);
    }
    std::ofstream out(indexPath, std::ios::binary | std::ios::trunc);
    out << NodeBytes(nodes[root], 0, DicNode::kRootSize, offsets);
    for (std::int32_t id : order) {
        out << NodeBytes(nodes[id], offsets[id], DicNode::kNodeSize, offsets);
    }
    return out.good() ? std::string() : "cannot write " + indexPath;
}
