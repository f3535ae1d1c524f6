// Never trades: the cash only pays the living cost, month after month, so
// the game is lost in the month the cash falls below 0.  The baseline every
// other strategy has to beat.

#include "sim/VxSimStrategy.h"

namespace {

class TVxSimIdleStrategy : public TVxSimStrategy {
public:
    void Trade(TVxSimTrader&) override {}
};

const bool Registered = VxSimRegisterStrategy(
    "idle", "never trades", [] { return std::make_unique<TVxSimIdleStrategy>(); });

} // namespace
