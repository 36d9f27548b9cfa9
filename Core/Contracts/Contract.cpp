#include "Core/Contracts/Contract.h"

#include <numeric>

namespace Core {

double getCenaKoncowa(double catalogPrice, const TKontrakt& contract, bool cumulative) {
    if (cumulative) {
        for (const double discount : contract.discounts) catalogPrice -= catalogPrice * discount * 0.01;
        return catalogPrice;
    }
    const double sum = std::accumulate(contract.discounts.begin(), contract.discounts.end(), 0.0);
    return sum >= 100.0 ? 0.0 : catalogPrice - catalogPrice * sum * 0.01;
}

}  // namespace Core
