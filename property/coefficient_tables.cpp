// The published coefficients of every equation, kept as constant data, and the fill that copies
// them into the tables the routines read. Rows are numbered as in the tables of IAPWS-IF97
// (1997 release); the transport rows are those of the IAPS 1985 equations.
#include <cstddef>

#include "property/property.h"

namespace vapomet {
namespace {

struct ExponentsRow {  // one term n * x^I * y^J
    std::int16_t I, J;
    double n;
};
struct IdealGasRow {  // one term n * tau^J
    std::int16_t J;
    double n;
};

// IAPWS-IF97 Table 1: the B23 boundary, n_1 .. n_5.
constexpr double kTable1[] = {
    0.34805185628969e3,   // 1
    -0.11671859879975e1,  // 2
    0.10192970039326e-2,  // 3
    0.57254459862746e3,   // 4
    0.13918839778870e2,   // 5
};

// IAPWS-IF97 Table 2: region 1, powers of (7.1 - pi) and (tau - 1.222).
constexpr ExponentsRow kTable2[] = {
    {0, -2, 0.14632971213167},         // 1
    {0, -1, -0.84548187169114},        // 2
    {0, 0, -0.37563603672040e1},       // 3
    {0, 1, 0.33855169168385e1},        // 4
    {0, 2, -0.95791963387872},         // 5
    {0, 3, 0.15772038513228},          // 6
    {0, 4, -0.16616417199501e-1},      // 7
    {0, 5, 0.81214629983568e-3},       // 8
    {1, -9, 0.28319080123804e-3},      // 9
    {1, -7, -0.60706301565874e-3},     // 10
    {1, -1, -0.18990068218419e-1},     // 11
    {1, 0, -0.32529748770505e-1},      // 12
    {1, 1, -0.21841717175414e-1},      // 13
    {1, 3, -0.52838357969930e-4},      // 14
    {2, -3, -0.47184321073267e-3},     // 15
    {2, 0, -0.30001780793026e-3},      // 16
    {2, 1, 0.47661393906987e-4},       // 17
    {2, 3, -0.44141845330846e-5},      // 18
    {2, 17, -0.72694996297594e-15},    // 19
    {3, -4, -0.31679644845054e-4},     // 20
    {3, 0, -0.28270797985312e-5},      // 21
    {3, 6, -0.85205128120103e-9},      // 22
    {4, -5, -0.22425281908000e-5},     // 23
    {4, -2, -0.65171222895601e-6},     // 24
    {4, 10, -0.14341729937924e-12},    // 25
    {5, -8, -0.40516996860117e-6},     // 26
    {8, -11, -0.12734301741641e-8},    // 27
    {8, -6, -0.17424871230634e-9},     // 28
    {21, -29, -0.68762131295531e-18},  // 29
    {23, -31, 0.14478307828521e-19},   // 30
    {29, -38, 0.26335781662795e-22},   // 31
    {30, -39, -0.11947622640071e-22},  // 32
    {31, -40, 0.18228094581404e-23},   // 33
    {32, -41, -0.93537087292458e-25},  // 34
};

// IAPWS-IF97 Table 10: region 2, ideal-gas part, powers of tau.
constexpr IdealGasRow kTable10[] = {
    {0, -0.96927686500217e1},    // 1
    {1, 0.10086655968018e2},     // 2
    {-5, -0.56087911283020e-2},  // 3
    {-4, 0.71452738081455e-1},   // 4
    {-3, -0.40710498223928},     // 5
    {-2, 0.14240819171444e1},    // 6
    {-1, -0.43839511319450e1},   // 7
    {2, -0.28408632460772},      // 8
    {3, 0.21268463753307e-1},    // 9
};

// IAPWS-IF97 eq. (19): the metastable-vapour equation's ideal-gas part is Table 10's but for
// n_1 and n_2, chosen so that it meets region 2 on the saturated-vapour line.
constexpr double kMetastableN1 = -0.96937268393049e1, kMetastableN2 = 0.10087275970006e2;

// IAPWS-IF97 Table 16: metastable vapour, residual part, powers of pi and (tau - 0.5).
constexpr ExponentsRow kTable16[] = {
    {1, 0, -0.73362260186506e-2},   // 1
    {1, 2, -0.88223831943146e-1},   // 2
    {1, 5, -0.72334555213245e-1},   // 3
    {1, 11, -0.40813178534455e-2},  // 4
    {2, 1, 0.20097803380207e-2},    // 5
    {2, 7, -0.53045921898642e-1},   // 6
    {2, 16, -0.76190409086970e-2},  // 7
    {3, 4, -0.63498037657313e-2},   // 8
    {3, 16, -0.86043093028588e-1},  // 9
    {4, 7, 0.75321581522770e-2},    // 10
    {4, 10, -0.79238375446139e-2},  // 11
    {5, 9, -0.22888160778447e-3},   // 12
    {5, 10, -0.26456501482810e-2},  // 13
};

// IAPWS-IF97 Table 11: region 2, residual part, powers of pi and (tau - 0.5).
constexpr ExponentsRow kTable11[] = {
    {1, 0, -0.17731742473213e-2},     // 1
    {1, 1, -0.17834862292358e-1},     // 2
    {1, 2, -0.45996013696365e-1},     // 3
    {1, 3, -0.57581259083432e-1},     // 4
    {1, 6, -0.50325278727930e-1},     // 5
    {2, 1, -0.33032641670203e-4},     // 6
    {2, 2, -0.18948987516315e-3},     // 7
    {2, 4, -0.39392777243355e-2},     // 8
    {2, 7, -0.43797295650573e-1},     // 9
    {2, 36, -0.26674547914087e-4},    // 10
    {3, 0, 0.20481737692309e-7},      // 11
    {3, 1, 0.43870667284435e-6},      // 12
    {3, 3, -0.32277677238570e-4},     // 13
    {3, 6, -0.15033924542148e-2},     // 14
    {3, 35, -0.40668253562649e-1},    // 15
    {4, 1, -0.78847309559367e-9},     // 16
    {4, 2, 0.12790717852285e-7},      // 17
    {4, 3, 0.48225372718507e-6},      // 18
    {5, 7, 0.22922076337661e-5},      // 19
    {6, 3, -0.16714766451061e-10},    // 20
    {6, 16, -0.21171472321355e-2},    // 21
    {6, 35, -0.23895741934104e2},     // 22
    {7, 0, -0.59059564324270e-17},    // 23
    {7, 11, -0.12621808899101e-5},    // 24
    {7, 25, -0.38946842435739e-1},    // 25
    {8, 8, 0.11256211360459e-10},     // 26
    {8, 36, -0.82311340897998e1},     // 27
    {9, 13, 0.19809712802088e-7},     // 28
    {10, 4, 0.10406965210174e-18},    // 29
    {10, 10, -0.10234747095929e-12},  // 30
    {10, 14, -0.10018179379511e-8},   // 31
    {16, 29, -0.80882908646985e-10},  // 32
    {16, 50, 0.10693031879409},       // 33
    {18, 57, -0.33662250574171},      // 34
    {20, 20, 0.89185845355421e-24},   // 35
    {20, 35, 0.30629316876232e-12},   // 36
    {20, 48, -0.42002467698208e-5},   // 37
    {21, 21, -0.59056029685639e-25},  // 38
    {22, 53, 0.37826947613457e-5},    // 39
    {23, 39, -0.12768608934681e-14},  // 40
    {24, 26, 0.73087610595061e-28},   // 41
    {24, 40, 0.55414715350778e-16},   // 42
    {24, 58, -0.94369707241210e-6},   // 43
};

// IAPWS-IF97 Table 30: region 3, powers of delta and tau; row 1 is the coefficient of ln delta.
constexpr ExponentsRow kTable30[] = {
    {0, 0, 0.10658070028513e1},      // 1
    {0, 0, -0.15732845290239e2},     // 2
    {0, 1, 0.20944396974307e2},      // 3
    {0, 2, -0.76867707878716e1},     // 4
    {0, 7, 0.26185947787954e1},      // 5
    {0, 10, -0.28080781148620e1},    // 6
    {0, 12, 0.12053369696517e1},     // 7
    {0, 23, -0.84566812812502e-2},   // 8
    {1, 2, -0.12654315477714e1},     // 9
    {1, 6, -0.11524407806681e1},     // 10
    {1, 15, 0.88521043984318},       // 11
    {1, 17, -0.64207765181607},      // 12
    {2, 0, 0.38493460186671},        // 13
    {2, 2, -0.85214708824206},       // 14
    {2, 6, 0.48972281541877e1},      // 15
    {2, 7, -0.30502617256965e1},     // 16
    {2, 22, 0.39420536879154e-1},    // 17
    {2, 26, 0.12558408424308},       // 18
    {3, 0, -0.27999329698710},       // 19
    {3, 2, 0.13899799569460e1},      // 20
    {3, 4, -0.20189915023570e1},     // 21
    {3, 16, -0.82147637173963e-2},   // 22
    {3, 26, -0.47596035734923},      // 23
    {4, 0, 0.43984074473500e-1},     // 24
    {4, 2, -0.44476435428739},       // 25
    {4, 4, 0.90572070719733},        // 26
    {4, 26, 0.70522450087967},       // 27
    {5, 1, 0.10770512626332},        // 28
    {5, 3, -0.32913623258954},       // 29
    {5, 26, -0.50871062041158},      // 30
    {6, 0, -0.22175400873096e-1},    // 31
    {6, 2, 0.94260751665092e-1},     // 32
    {6, 26, 0.16436278447961},       // 33
    {7, 2, -0.13503372241348e-1},    // 34
    {8, 26, -0.14834345352472e-1},   // 35
    {9, 2, 0.57922953628084e-3},     // 36
    {9, 26, 0.32308904703711e-2},    // 37
    {10, 0, 0.80964802996215e-4},    // 38
    {10, 1, -0.16557679795037e-3},   // 39
    {11, 26, -0.44923899061815e-4},  // 40
};

// IAPWS-IF97 Table 34: the saturation line, n_1 .. n_10.
constexpr double kTable34[] = {
    0.11670521452767e4,   // 1
    -0.72421316703206e6,  // 2
    -0.17073846940092e2,  // 3
    0.12020824702470e5,   // 4
    -0.32325550322333e7,  // 5
    0.14915108613530e2,   // 6
    -0.48232657361591e4,  // 7
    0.40511340542057e6,   // 8
    -0.23855557567849,    // 9
    0.65017534844798e3,   // 10
};

// Region 5 of the 1997 release: ideal-gas part (powers of tau) and its five residual terms.
constexpr IdealGasRow kRegion5IdealGas[] = {
    {0, -13.179983674201},     // 1
    {1, 6.8540841634434},      // 2
    {-3, -0.024805148933466},  // 3
    {-2, 0.36901534980333},    // 4
    {-1, -3.1161318213925},    // 5
    {2, -0.32961626538917},    // 6
};
constexpr ExponentsRow kRegion5Residual[] = {
    {1, 0, -0.00012563183589592},  // 1
    {1, 1, 0.0021774678714571},    // 2
    {1, 3, -0.004594282089991},    // 3
    {2, 9, -3.9724828359569e-06},  // 4
    {3, 3, 1.2919228289784e-07},   // 5
};

// Viscosity, IAPS 1985: dilute-gas H_0 .. H_3 and the non-zero residual H_ij.
constexpr double kViscosityH0[] = {1.0, 0.978197, 0.579829, -0.202354};
struct ViscosityRow {
    std::size_t i, j;
    double H;
};
constexpr ViscosityRow kViscosityH[] = {
    {0, 0, 0.5132047},  {1, 0, 0.3205656},   {4, 0, -0.7782567},   {5, 0, 0.1885447},
    {0, 1, 0.2151778},  {1, 1, 0.7317883},   {2, 1, 1.241044},     {3, 1, 1.476783},
    {0, 2, -0.2818107}, {1, 2, -1.070786},   {2, 2, -1.263184},    {0, 3, 0.1778064},
    {1, 3, 0.460504},   {2, 3, 0.2340379},   {3, 3, -0.4924179},   {0, 4, -0.0417661},
    {3, 4, 0.1600435},  {1, 5, -0.01578386}, {3, 6, -0.003629481},
};

// Thermal conductivity for industrial use, IAPS 1985.
constexpr double kConductivityA[] = {0.0102811, 0.0299621, 0.0156146, -0.00422464};  // a_0..a_3
constexpr double kConductivityB[] = {-0.39707, 0.400302, 1.06};                      // b_0..b_2
constexpr double kConductivityC[] = {0.642857,   -4.11717,  -6.17937,
                                     0.00308976, 0.0822994, 10.0932};          // C_1..C_6
constexpr double kConductivityD[] = {0.0701309, 0.011852, 0.00169937, -1.02};  // d_1..d_4

// Copies published values into a table whose index `first` holds the first of them.
template <typename Table, std::size_t N>
constexpr void Copy(Table& table, const double (&values)[N], std::size_t first) {
    for (std::size_t k = 0; k < N; ++k) table.at(first + k) = values[k];
}

// Rows {I, J, n} or {J, n} into tables that start at index 1; element 0 stays zero.
template <std::size_t N, typename Exponents, typename Coefficients>
constexpr void Copy(Exponents& I, Exponents& J, Coefficients& n, const ExponentsRow (&rows)[N]) {
    for (std::size_t i = 1; i <= N; ++i) {
        I.at(i) = rows[i - 1].I;
        J.at(i) = rows[i - 1].J;
        n.at(i) = rows[i - 1].n;
    }
}
template <std::size_t N, typename Exponents, typename Coefficients>
constexpr void Copy(Exponents& J, Coefficients& n, const IdealGasRow (&rows)[N]) {
    for (std::size_t i = 1; i <= N; ++i) {
        J.at(i) = rows[i - 1].J;
        n.at(i) = rows[i - 1].n;
    }
}

// The tables as published, built at compile time.
constexpr CoefficientTables Published() {
    CoefficientTables t{};
    Copy(t.CondA, kConductivityA, 0);
    Copy(t.CondB, kConductivityB, 0);
    Copy(t.CondC, kConductivityC, 1);
    Copy(t.CondD, kConductivityD, 1);
    for (const auto& row : kViscosityH) t.VisH.at(row.i).at(row.j) = row.H;
    Copy(t.VisH0, kViscosityH0, 0);
    Copy(t.R1I, t.R1J, t.R1n, kTable2);
    Copy(t.R2J0, t.R2n0, kTable10);
    Copy(t.R2I, t.R2J, t.R2n, kTable11);
    t.R2mn0 = t.R2n0;
    t.R2mn0[1] = kMetastableN1;
    t.R2mn0[2] = kMetastableN2;
    Copy(t.R2mI, t.R2mJ, t.R2mn, kTable16);
    Copy(t.R3I, t.R3J, t.R3n, kTable30);
    Copy(t.B23n, kTable1, 0);
    Copy(t.R4n, kTable34, 1);
    Copy(t.R5J0, t.R5n0, kRegion5IdealGas);
    Copy(t.R5I, t.R5J, t.R5n, kRegion5Residual);
    return t;
}
constexpr CoefficientTables kPublished = Published();

// The one writable copy that every routine reads. It holds the published values from the
// start, so that a routine called before the first fill computes the right number.
constinit CoefficientTables g_tables = kPublished;

}  // namespace

const CoefficientTables& Tables() noexcept {
    return g_tables;
}

void FillCoefficientTables() noexcept {
    g_tables = kPublished;
}

}  // namespace vapomet
