// The demo's requests on the sample courtyard.

#include "zunaiDemo.h"

#include <system_error>

#include "zunaiError.h"

std::vector<zunaiRequest> zunaiDemoRequests()
{
    // Marks hover 24.7 above the ground (44.7 on the terrace, which is 20 high).
    const float floor = 24.7f, terrace = 44.7f;
    return {
        {"gate yard -> terrace", {-150.0f, -178.0f, floor}, {140.0f, 158.0f, terrace}, zunaiWay::Chained},
        {"hall door -> barn yard", {-140.0f, 76.0f, floor}, {95.0f, -95.0f, floor}, zunaiWay::Chained},
        {"terrace -> gate yard", {86.0f, 138.0f, terrace}, {-150.0f, -178.0f, floor}, zunaiWay::Chained},
        {"plaza -> north lane", {5.0f, -45.0f, floor}, {-5.0f, 115.0f, floor}, zunaiWay::Chained},
    };
}

bool zunaiIsSampleGame(const zunaiGame& game)
{
    try {
        std::error_code ec;
        return std::filesystem::equivalent(game.dir, zunaiFindGame(zunaiGameOptions{}, false).dir, ec);
    } catch (const zunaiError&) {
        return false;   // no sample to be found
    }
}
