#pragma once

#include <algorithm>
#include <atomic>

namespace vintrel {

// How far the writing of an output has come: the writer, on its own thread, says how much work
// there is and adds what it has done; whoever shows the progress reads the share. The work is
// counted in frames read, and a sheet's compression counts as many frames as the sheet holds.
class WriteProgress {
public:
    void expect(double units) { total_.store(std::max(units, 1.0)); }
    void add(double units) { done_.fetch_add(units); }
    // 0 .. 1; never past the end, however the writer counted.
    double share() const { return std::clamp(done_.load() / total_.load(), 0.0, 1.0); }
    double done() const { return done_.load(); }
    double expected() const { return total_.load(); }

private:
    std::atomic<double> done_{0.0};
    std::atomic<double> total_{1.0};
};

} // namespace vintrel
