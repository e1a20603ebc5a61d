// The ordered parallel pipeline of the tables: inputs are read a chunk at a time, their rows
// computed on every core and written in input order, so that memory stays flat however long
// the input is.
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "cli/progress.h"

namespace vapomet::cli {

// Rows computed at a time: enough to keep every core busy, few enough to keep memory flat.
inline constexpr std::size_t kChunk = 16384;
inline constexpr std::size_t kBlock = 256;  // rows a worker takes at a time from the chunk

// Reads inputs a chunk at a time, computes their rows on every core and writes them in order.
// While the workers compute one chunk, this thread writes the rows of the one before and reads
// the one after.
// The inputs of one chunk, those a worker takes at a time, and the states an input holds (one
// each, unless said otherwise: an input may be a block of lines).
struct StreamShape {
    std::size_t chunk = kChunk, block = kBlock;
};

template <typename In, typename Out>
void Stream(const std::function<bool(In&, double&)>& next,
            const std::function<Out(const In&)>& compute,
            const std::function<void(const Out&)>& write, Progress& progress,
            StreamShape shape = {},
            const std::function<std::size_t(const In&)>& statesOf = nullptr) {
    const auto states = [&statesOf](const std::vector<In>& inputs) {
        if (!statesOf) return inputs.size();
        std::size_t count = 0;
        for (const In& input : inputs) count += statesOf(input);
        return count;
    };
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    struct Chunk {
        std::vector<In> inputs;
        std::vector<Out> rows;
        double amount = 0;
    };
    const auto read = [&](Chunk& chunk) {
        chunk.inputs.clear();
        chunk.amount = 0;
        In input;
        while (chunk.inputs.size() < shape.chunk && next(input, chunk.amount))
            chunk.inputs.push_back(std::move(input));
    };
    Chunk chunks[2];
    Chunk* current = &chunks[0];
    Chunk* other = &chunks[1];
    read(*current);
    bool written = true;  // the other chunk's rows are out
    while (!current->inputs.empty()) {
        current->rows.assign(current->inputs.size(), Out{});
        std::atomic<std::size_t> cursor{0};
        const auto work = [&cursor, chunk = current, &compute, block = shape.block] {
            for (std::size_t from; (from = cursor.fetch_add(block)) < chunk->inputs.size();) {
                const std::size_t to = std::min(from + block, chunk->inputs.size());
                for (std::size_t i = from; i < to; ++i) chunk->rows[i] = compute(chunk->inputs[i]);
            }
        };
        {
            std::vector<std::jthread> team;
            for (unsigned k = 0; k < workers; ++k) team.emplace_back(work);
            if (!written) {
                for (const Out& row : other->rows) write(row);
                progress.advance(states(other->inputs), other->amount);
            }
            read(*other);
        }
        written = false;
        std::swap(current, other);
    }
    if (!written) {
        for (const Out& row : other->rows) write(row);
        progress.advance(states(other->inputs), other->amount);
    }
}

}  // namespace vapomet::cli
