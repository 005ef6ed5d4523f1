#include "server/demo/demointernal.h"
#include "server/storage/schema.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace zelvora::server::demo {

namespace {

struct Brand
{
    const char *name;
    const char *prefix; // our code prefix: BARKOD is prefix + the maker's code without blanks
    double discount;    // the brand's usual first discount
    double priceFactor;
    const char *origin;
};

const Brand brands[] = {
    {"BOSCH", "BSC", 25, 1.10, "İTHAL"},
    {"VALEO", "VLO", 20, 1.05, "İTHAL"},
    {"MANN", "MNN", 25, 1.00, "İTHAL"},
    {"SACHS", "SCH", 20, 1.10, "İTHAL"},
    {"FEBI", "FEB", 30, 0.85, "İTHAL"},
    {"LEMFÖRDER", "LMF", 20, 1.05, "İTHAL"},
    {"NGK", "NGK", 15, 1.00, "İTHAL"},
    {"GATES", "GTS", 25, 1.00, "İTHAL"},
    {"SKF", "SKF", 25, 1.05, "İTHAL"},
    {"TRW", "TRW", 20, 1.00, "İTHAL"},
    {"MAHLE", "MAH", 25, 1.00, "İTHAL"},
    {"DELPHI", "DLP", 20, 0.95, "İTHAL"},
    {"BREMBO", "BRM", 15, 1.20, "İTHAL"},
    {"TEXTAR", "TXT", 20, 1.05, "İTHAL"},
    {"FERODO", "FRD", 20, 0.95, "İTHAL"},
    {"FILTRON", "FLT", 30, 0.80, "İTHAL"},
    {"MAGNETI MARELLI", "MGM", 20, 1.00, "İTHAL"},
    {"HELLA", "HLA", 15, 1.10, "İTHAL"},
    {"CORTECO", "CRT", 25, 0.90, "İTHAL"},
    {"ELRING", "ELR", 20, 1.00, "İTHAL"},
    {"VICTOR REINZ", "VRZ", 20, 0.95, "İTHAL"},
    {"LUK", "LUK", 20, 1.10, "İTHAL"},
    {"INA", "INA", 20, 1.05, "İTHAL"},
    {"DAYCO", "DYC", 25, 0.90, "İTHAL"},
    {"MONROE", "MNR", 15, 1.05, "İTHAL"},
    {"KYB", "KYB", 20, 1.00, "İTHAL"},
    {"YENMAK", "YNM", 10, 0.75, "YERLİ"},
    {"KALE", "KLE", 10, 0.80, "YERLİ"},
    {"OSRAM", "OSR", 20, 1.00, "İTHAL"},
    {"VARTA", "VRT", 10, 1.00, "İTHAL"},
    {"MOTUL", "MTL", 10, 1.05, "İTHAL"},
    {"PETROL OFİSİ", "POF", 10, 0.85, "YERLİ"},
    {"TYC", "TYC", 15, 0.80, "İTHAL"},
    {"DEPO", "DPO", 15, 0.75, "İTHAL"},
};
constexpr int brandCount = int(std::size(brands));

// How a maker writes its part numbers; '#' stands for a digit. The first
// pattern of a brand whose keyword occurs in the item name wins; an empty
// keyword is the brand's general form and must be wide enough to never run out.
struct CodePattern
{
    const char *brand;
    const char *keyword;
    const char *pattern;
};

const CodePattern codePatterns[] = {
    {"BOSCH", "BALATA", "0 986 494 ###"},
    {"BOSCH", "DİSK", "0 986 479 ###"},
    {"BOSCH", "YAĞ FİLTRESİ", "0 451 103 ###"},
    {"BOSCH", "HAVA FİLTRESİ", "F 026 400 ###"},
    {"BOSCH", "YAKIT", "F 026 402 ###"},
    {"BOSCH", "MAZOT", "F 026 402 ###"},
    {"BOSCH", "POLEN", "1 987 432 ###"},
    {"BOSCH", "BUJİ", "0 242 2## ###"},
    {"BOSCH", "BOBİN", "0 221 504 ###"},
    {"BOSCH", "MARŞ", "0 001 1## ###"},
    {"BOSCH", "ŞARJ", "0 986 04# ###"},
    {"BOSCH", "SİLECEK", "3 397 00# ###"},
    {"BOSCH", "ENJEKTÖR", "0 445 110 ###"},
    {"BOSCH", "SENSÖR", "0 258 0## ###"},
    {"BOSCH", "AKÜ", "0 092 S4# ###"},
    {"BOSCH", "", "0 986 ### ###"},
    {"VALEO", "DEBRİYAJ", "826 ###"},
    {"VALEO", "", "### ###"},
    {"MANN", "YAĞ", "W ###/##"},
    {"MANN", "HAVA", "C ## ###"},
    {"MANN", "YAKIT", "WK ###/#"},
    {"MANN", "MAZOT", "WK ###/#"},
    {"MANN", "POLEN", "CU ## ###"},
    {"MANN", "", "HU ####/##"},
    {"SACHS", "DEBRİYAJ", "3000 9## ###"},
    {"SACHS", "AMORTİSÖR", "31# ###"},
    {"SACHS", "", "3000 ### ###"},
    {"FEBI", "", "######"},
    {"LEMFÖRDER", "", "3#### 0#"},
    {"NGK", "", "#####"},
    {"GATES", "TRİGER SETİ", "K0#####"},
    {"GATES", "V KAYIŞI", "6PK####"},
    {"GATES", "", "T######"},
    {"SKF", "TRİGER", "VKMA #####"},
    {"SKF", "POMPA", "VKPC #####"},
    {"SKF", "RULMAN", "VKBA #####"},
    {"SKF", "AKS", "VKJA #####"},
    {"SKF", "", "VKDS ######"},
    {"TRW", "BALATA", "GDB#####"},
    {"TRW", "DİSK", "DF#####"},
    {"TRW", "ROTİL", "JBJ#####"},
    {"TRW", "ROT", "JTE#####"},
    {"TRW", "", "JRP######"},
    {"MAHLE", "YAĞ", "OC #####"},
    {"MAHLE", "HAVA", "LX #####"},
    {"MAHLE", "YAKIT", "KL #####"},
    {"MAHLE", "MAZOT", "KL #####"},
    {"MAHLE", "POLEN", "LA #####"},
    {"MAHLE", "TERMOSTAT", "TX ### ##"},
    {"MAHLE", "RADYATÖR", "CR #####"},
    {"MAHLE", "", "CX ######"},
    {"DELPHI", "BALATA", "LP#####"},
    {"DELPHI", "DİSK", "BG#####"},
    {"DELPHI", "FİLTRE", "HDF#####"},
    {"DELPHI", "", "TC######"},
    {"BREMBO", "DİSK", "09.####.##"},
    {"BREMBO", "", "P ## ####"},
    {"TEXTAR", "DİSK", "92######"},
    {"TEXTAR", "", "2#####01"},
    {"FERODO", "", "FDB######"},
    {"FILTRON", "YAĞ", "OP ###/#"},
    {"FILTRON", "HAVA", "AP ###/#"},
    {"FILTRON", "YAKIT", "PP ###/#"},
    {"FILTRON", "", "OE ######"},
    {"MAGNETI MARELLI", "", "0## ### ###"},
    {"HELLA", "", "1EG ### ###-##1"},
    {"CORTECO", "", "######B"},
    {"ELRING", "", "###.###"},
    {"VICTOR REINZ", "", "61-######-00"},
    {"LUK", "", "6## #### 00"},
    {"INA", "", "5## #### 10"},
    {"DAYCO", "", "KTB######"},
    {"MONROE", "", "E######"},
    {"KYB", "", "3######"},
    {"YENMAK", "", "##-######-000"},
    {"KALE", "", "### ###"},
    {"OSRAM", "", "64###-##"},
    {"VARTA", "", "5## ### ###"},
    {"MOTUL", "", "1#####"},
    {"PETROL OFİSİ", "", "PO ######"},
    {"TYC", "", "20-####-##-2"},
    {"DEPO", "", "###-####-##"},
};

// Spark plugs belong on petrol engines, glow plugs on diesels.
enum class Fuel
{
    Any,
    Petrol,
    Diesel,
};

struct Parca
{
    const char *ad;
    const char *digerAd;
    const char *anaGrup;
    const char *altGrup;
    double minFiyat;
    double maxFiyat;
    const char *birim;
    const char *brands; // '|' separated
    bool universal;     // fits any vehicle: no vehicle, no OEM numbers
    int weight;
    Fuel fuel = Fuel::Any;
};

const Parca parcalar[] = {
    // FREN
    {"ÖN FREN BALATASI", "ÖN BALATA TAKIMI", "FREN", "BALATA", 900, 3200, "TAKIM",
     "BOSCH|TRW|FEBI|DELPHI|BREMBO|TEXTAR|FERODO", false, 60},
    {"ARKA FREN BALATASI", "ARKA BALATA TAKIMI", "FREN", "BALATA", 700, 2600, "TAKIM",
     "BOSCH|TRW|FEBI|DELPHI|BREMBO|TEXTAR|FERODO", false, 40},
    {"ÖN FREN DİSKİ", "ÖN DİSK", "FREN", "DİSK", 1400, 4800, "ADET", "BOSCH|TRW|FEBI|DELPHI|BREMBO|TEXTAR",
     false, 45},
    {"ARKA FREN DİSKİ", "ARKA DİSK", "FREN", "DİSK", 1200, 4000, "ADET",
     "BOSCH|TRW|FEBI|DELPHI|BREMBO|TEXTAR", false, 25},
    {"FREN KAMPANASI", "ARKA KAMPANA", "FREN", "KAMPANA", 1300, 3800, "ADET", "BOSCH|TRW|FEBI|BREMBO", false,
     12},
    {"ARKA FREN PABUCU", "PABUÇ TAKIMI", "FREN", "PABUÇ", 800, 2400, "TAKIM", "BOSCH|TRW|FEBI|FERODO", false,
     14},
    {"FREN ANA MERKEZİ", "ANA MERKEZ", "FREN", "MERKEZ", 2200, 6500, "ADET", "BOSCH|TRW|FEBI|DELPHI", false,
     10},
    {"ÖN FREN HORTUMU", "FREN ESNEK HORTUMU", "FREN", "HORTUM", 250, 750, "ADET", "TRW|FEBI|DELPHI|BOSCH",
     false, 12},
    {"ABS SENSÖRÜ ÖN", "TEKER HIZ SENSÖRÜ", "FREN", "SENSÖR", 900, 2800, "ADET", "BOSCH|FEBI|DELPHI|TRW",
     false, 14},
    {"FREN BALATA FİŞİ", "BALATA İKAZ KABLOSU", "FREN", "AKSESUAR", 90, 320, "ADET", "TEXTAR|FEBI|BOSCH",
     false, 8},
    // FİLTRE
    {"YAĞ FİLTRESİ", "MOTOR YAĞ FİLTRESİ", "FİLTRE", "YAĞ FİLTRESİ", 180, 650, "ADET",
     "MANN|MAHLE|BOSCH|FILTRON", false, 60},
    {"HAVA FİLTRESİ", "MOTOR HAVA FİLTRESİ", "FİLTRE", "HAVA FİLTRESİ", 260, 900, "ADET",
     "MANN|MAHLE|BOSCH|FILTRON", false, 50},
    {"YAKIT FİLTRESİ", "BENZİN FİLTRESİ", "FİLTRE", "YAKIT FİLTRESİ", 240, 850, "ADET",
     "MANN|MAHLE|BOSCH|FILTRON", false, 20, Fuel::Petrol},
    {"MAZOT FİLTRESİ", "DİZEL YAKIT FİLTRESİ", "FİLTRE", "YAKIT FİLTRESİ", 420, 1500, "ADET",
     "MANN|MAHLE|BOSCH|DELPHI|FILTRON", false, 30, Fuel::Diesel},
    {"POLEN FİLTRESİ", "KABİN HAVA FİLTRESİ", "FİLTRE", "POLEN FİLTRESİ", 220, 800, "ADET",
     "MANN|MAHLE|BOSCH|FILTRON", false, 40},
    {"POLEN FİLTRESİ KARBONLU", "AKTİF KARBONLU KABİN FİLTRESİ", "FİLTRE", "POLEN FİLTRESİ", 380, 1100,
     "ADET", "MANN|MAHLE|BOSCH", false, 15},
    // MOTOR
    {"SİLİNDİR KAPAK CONTASI", "SKC CONTA", "MOTOR", "CONTA", 900, 3500, "ADET",
     "ELRING|VICTOR REINZ|CORTECO|YENMAK", false, 18},
    {"MOTOR CONTA TAKIMI", "TAM TAKIM CONTA", "MOTOR", "CONTA", 2400, 7500, "TAKIM",
     "ELRING|VICTOR REINZ|YENMAK", false, 10},
    {"TRİGER SETİ", "TRİGER KAYIŞ SETİ", "MOTOR", "TRİGER", 2800, 9000, "TAKIM", "GATES|SKF|INA|DAYCO", false,
     30},
    {"TRİGER SETİ DEVİRDAİMLİ", "TRİGER SETİ + SU POMPASI", "MOTOR", "TRİGER", 4500, 13500, "TAKIM",
     "GATES|SKF|INA", false, 15},
    {"TRİGER KAYIŞI", "EKSANTRİK KAYIŞI", "MOTOR", "TRİGER", 700, 2200, "ADET", "GATES|DAYCO|BOSCH", false,
     20},
    {"V KAYIŞI", "ALTERNATÖR KAYIŞI", "MOTOR", "KAYIŞ", 250, 900, "ADET", "GATES|DAYCO|BOSCH|SKF", false, 25},
    {"DEVİRDAİM POMPASI", "SU POMPASI", "MOTOR", "POMPA", 1200, 4200, "ADET", "SKF|GATES|INA|FEBI|DAYCO",
     false, 20},
    {"PİSTON SEGMAN TAKIMI STD", "PİSTON SET", "MOTOR", "PİSTON", 4500, 14000, "TAKIM", "YENMAK|MAHLE", false,
     8},
    {"MOTOR KULAĞI SAĞ", "MOTOR TAKOZU", "MOTOR", "TAKOZ", 900, 3200, "ADET", "LEMFÖRDER|FEBI|CORTECO", false,
     15},
    {"TERMOSTAT", "TERMOSTAT KOMPLE", "MOTOR", "SOĞUTMA", 550, 1900, "ADET", "MAHLE|FEBI|VALEO|GATES", false,
     15},
    {"KRANK ÖN KEÇESİ", "KRANK KEÇE", "MOTOR", "KEÇE", 150, 520, "ADET", "CORTECO|ELRING|VICTOR REINZ", false,
     12},
    {"ENJEKTÖR", "YAKIT ENJEKTÖRÜ", "MOTOR", "YAKIT SİSTEMİ", 4500, 16000, "ADET",
     "BOSCH|DELPHI|MAGNETI MARELLI", false, 10, Fuel::Diesel},
    {"YAĞ POMPASI", "MOTOR YAĞ POMPASI", "MOTOR", "POMPA", 2000, 6500, "ADET", "FEBI|MAHLE|MAGNETI MARELLI",
     false, 6},
    {"EGR VALFİ", "EGZOZ GAZ VALFİ", "MOTOR", "YAKIT SİSTEMİ", 3000, 9500, "ADET",
     "VALEO|MAGNETI MARELLI|DELPHI|BOSCH", false, 8, Fuel::Diesel},
    // SÜSPANSİYON
    {"AMORTİSÖR ÖN", "ÖN AMORTİSÖR GAZLI", "SÜSPANSİYON", "AMORTİSÖR", 1800, 6500, "ADET", "SACHS|MONROE|KYB",
     false, 35},
    {"AMORTİSÖR ARKA", "ARKA AMORTİSÖR GAZLI", "SÜSPANSİYON", "AMORTİSÖR", 1400, 5200, "ADET",
     "SACHS|MONROE|KYB", false, 30},
    {"AMORTİSÖR ÜST TAKOZU", "AMORTİSÖR BAĞLANTI TAKOZU", "SÜSPANSİYON", "TAKOZ", 450, 1600, "ADET",
     "SACHS|LEMFÖRDER|FEBI|SKF|CORTECO", false, 18},
    {"ROTİL", "ALT ROTİL", "SÜSPANSİYON", "ROT-ROTİL", 450, 1600, "ADET", "LEMFÖRDER|TRW|FEBI|DELPHI", false,
     25},
    {"ROT BAŞI", "ROT UCU", "SÜSPANSİYON", "ROT-ROTİL", 380, 1300, "ADET", "LEMFÖRDER|TRW|FEBI|DELPHI", false,
     25},
    {"ROT MİLİ", "AKS ROT KOLU", "SÜSPANSİYON", "ROT-ROTİL", 600, 1900, "ADET", "LEMFÖRDER|TRW|FEBI", false,
     15},
    {"SALINCAK SAĞ", "ÖN ALT SALINCAK SAĞ", "SÜSPANSİYON", "SALINCAK", 1500, 5200, "ADET",
     "LEMFÖRDER|TRW|FEBI|DELPHI", false, 15},
    {"SALINCAK SOL", "ÖN ALT SALINCAK SOL", "SÜSPANSİYON", "SALINCAK", 1500, 5200, "ADET",
     "LEMFÖRDER|TRW|FEBI|DELPHI", false, 15},
    {"Z ROT", "VİRAJ DENGE ÇUBUĞU", "SÜSPANSİYON", "ROT-ROTİL", 350, 1100, "ADET",
     "LEMFÖRDER|FEBI|TRW|DELPHI", false, 20},
    {"HELEZON YAY ÖN", "ÖN HELEZON", "SÜSPANSİYON", "YAY", 900, 2800, "ADET", "SACHS|KYB|FEBI|LEMFÖRDER",
     false, 10},
    {"ÖN TEKER RULMANI", "ÖN BOTURA RULMANI", "SÜSPANSİYON", "RULMAN", 900, 3500, "ADET", "SKF|FEBI|INA",
     false, 20},
    {"ARKA TEKER POYRASI", "ARKA POYRA RULMANLI", "SÜSPANSİYON", "RULMAN", 1500, 4800, "ADET", "SKF|FEBI|INA",
     false, 12},
    // ELEKTRİK
    {"BUJİ", "ATEŞLEME BUJİSİ", "ELEKTRİK", "ATEŞLEME", 110, 480, "ADET", "NGK|BOSCH", false, 30,
     Fuel::Petrol},
    {"KIZDIRMA BUJİSİ", "ISITMA BUJİSİ", "ELEKTRİK", "ATEŞLEME", 260, 950, "ADET", "BOSCH|NGK|DELPHI", false,
     15, Fuel::Diesel},
    {"ATEŞLEME BOBİNİ", "BOBİN", "ELEKTRİK", "ATEŞLEME", 900, 3200, "ADET",
     "BOSCH|VALEO|MAGNETI MARELLI|DELPHI|NGK", false, 15, Fuel::Petrol},
    {"MARŞ MOTORU", "STARTER", "ELEKTRİK", "MARŞ-ŞARJ", 4500, 14000, "ADET", "BOSCH|VALEO|MAGNETI MARELLI",
     false, 10},
    {"ŞARJ DİNAMOSU", "ALTERNATÖR", "ELEKTRİK", "MARŞ-ŞARJ", 6000, 18000, "ADET",
     "BOSCH|VALEO|MAGNETI MARELLI", false, 10},
    {"OKSİJEN SENSÖRÜ", "LAMBDA SONDASI", "ELEKTRİK", "SENSÖR", 1500, 5500, "ADET",
     "BOSCH|DELPHI|MAGNETI MARELLI|NGK", false, 10},
    {"KRANK DEVİR SENSÖRÜ", "KRANK SENSÖRÜ", "ELEKTRİK", "SENSÖR", 500, 1800, "ADET",
     "BOSCH|FEBI|DELPHI|MAGNETI MARELLI|HELLA", false, 10},
    {"SİLECEK SÜPÜRGESİ SET", "MUZ SİLECEK TAKIMI", "ELEKTRİK", "SİLECEK", 350, 1200, "TAKIM", "BOSCH|VALEO",
     false, 20},
    {"FAR AMPULÜ H7 12V 55W", "HALOJEN AMPUL H7", "ELEKTRİK", "AMPUL", 90, 450, "ADET", "OSRAM|BOSCH|HELLA",
     true, 3},
    {"FAR AMPULÜ H4 12V 60/55W", "HALOJEN AMPUL H4", "ELEKTRİK", "AMPUL", 90, 450, "ADET",
     "OSRAM|BOSCH|HELLA", true, 3},
    {"AKÜ 60 AH 540A", "AKÜ 12V 60AH", "ELEKTRİK", "AKÜ", 3200, 5200, "ADET", "VARTA|BOSCH", true, 2},
    {"AKÜ 72 AH 680A", "AKÜ 12V 72AH", "ELEKTRİK", "AKÜ", 4000, 6500, "ADET", "VARTA|BOSCH", true, 2},
    {"AKÜ 100 AH 830A", "AKÜ 12V 100AH", "ELEKTRİK", "AKÜ", 5500, 9000, "ADET", "VARTA|BOSCH", true, 1},
    // ŞANZIMAN
    {"DEBRİYAJ SETİ", "KAVRAMA SETİ", "ŞANZIMAN", "DEBRİYAJ", 4500, 15000, "TAKIM", "SACHS|VALEO|LUK", false,
     30},
    {"DEBRİYAJ SETİ VOLANLI", "ÇİFT KÜTLELİ VOLAN SETİ", "ŞANZIMAN", "DEBRİYAJ", 18000, 42000, "TAKIM",
     "SACHS|VALEO|LUK", false, 8},
    {"DEBRİYAJ RULMANI", "BASKI RULMANI", "ŞANZIMAN", "DEBRİYAJ", 700, 2600, "ADET",
     "SACHS|VALEO|LUK|SKF|INA", false, 15},
    {"HİDROLİK DEBRİYAJ RULMANI", "MERKEZİ RULMAN", "ŞANZIMAN", "DEBRİYAJ", 2200, 6800, "ADET",
     "SACHS|VALEO|LUK", false, 10},
    {"AKS KÖRÜĞÜ TEKER TARAFI", "AKS KÖRÜK SETİ", "ŞANZIMAN", "AKS", 250, 800, "TAKIM",
     "FEBI|SKF|LEMFÖRDER|CORTECO", false, 15},
    {"AKS BAŞI", "HOMOCET", "ŞANZIMAN", "AKS", 1800, 5500, "ADET", "SKF|FEBI|LEMFÖRDER", false, 12},
    {"ŞANZIMAN TAKOZU", "VİTES KUTUSU TAKOZU", "ŞANZIMAN", "TAKOZ", 700, 2300, "ADET",
     "LEMFÖRDER|FEBI|CORTECO", false, 10},
    {"VİTES HALATI", "VİTES TELİ", "ŞANZIMAN", "VİTES", 900, 3000, "ADET", "FEBI|MAGNETI MARELLI", false, 8},
    {"ŞANZIMAN YAĞ KEÇESİ", "DİFERANSİYEL KEÇESİ", "ŞANZIMAN", "KEÇE", 120, 450, "ADET",
     "CORTECO|ELRING|FEBI", false, 8},
    // KAPORTA
    {"FAR SAĞ", "ÖN FAR SAĞ ELEKTRİKLİ", "KAPORTA", "AYDINLATMA", 2800, 12000, "ADET",
     "HELLA|VALEO|MAGNETI MARELLI|TYC|DEPO", false, 12},
    {"FAR SOL", "ÖN FAR SOL ELEKTRİKLİ", "KAPORTA", "AYDINLATMA", 2800, 12000, "ADET",
     "HELLA|VALEO|MAGNETI MARELLI|TYC|DEPO", false, 12},
    {"STOP LAMBASI SOL", "ARKA STOP SOL", "KAPORTA", "AYDINLATMA", 1200, 4200, "ADET",
     "HELLA|VALEO|TYC|DEPO|MAGNETI MARELLI", false, 10},
    {"SİS FARI SAĞ", "ÖN SİS LAMBASI SAĞ", "KAPORTA", "AYDINLATMA", 700, 2400, "ADET", "HELLA|VALEO|TYC|DEPO",
     false, 8},
    {"DİKİZ AYNASI SAĞ ELEKTRİKLİ", "YAN AYNA SAĞ", "KAPORTA", "AYNA", 1500, 5200, "ADET", "TYC|DEPO", false,
     8},
    {"ÖN TAMPON", "ÖN TAMPON ASTARLI", "KAPORTA", "TAMPON", 2200, 7500, "ADET", "TYC|DEPO", false, 8},
    {"ÇAMURLUK SOL", "ÖN ÇAMURLUK SOL", "KAPORTA", "SAC", 1600, 5200, "ADET", "TYC|DEPO", false, 6},
    {"PANJUR", "ÖN PANJUR", "KAPORTA", "TAMPON", 800, 2800, "ADET", "TYC|DEPO", false, 6},
    {"KAPI KOLU DIŞ SAĞ", "DIŞ KAPI AÇMA KOLU", "KAPORTA", "AKSESUAR", 250, 900, "ADET", "FEBI|TYC|DEPO",
     false, 6},
    // SOĞUTMA
    {"MOTOR SU RADYATÖRÜ", "RADYATÖR", "SOĞUTMA", "RADYATÖR", 2500, 8500, "ADET", "KALE|VALEO|MAHLE", false,
     15},
    {"KALORİFER RADYATÖRÜ", "KALORİFER PETEĞİ", "SOĞUTMA", "RADYATÖR", 1200, 3800, "ADET", "KALE|VALEO|MAHLE",
     false, 8},
    {"KLİMA RADYATÖRÜ", "KONDENSER", "SOĞUTMA", "KLİMA", 2600, 8200, "ADET", "KALE|VALEO|MAHLE", false, 8},
    {"FAN MOTORU", "RADYATÖR FAN MOTORU", "SOĞUTMA", "FAN", 2200, 7800, "ADET",
     "VALEO|BOSCH|MAGNETI MARELLI|KALE", false, 8},
    {"RADYATÖR ÜST HORTUMU", "SU HORTUMU ÜST", "SOĞUTMA", "HORTUM", 250, 900, "ADET", "GATES|FEBI|DAYCO",
     false, 10},
    {"GENLEŞME KABI", "YEDEK SU DEPOSU", "SOĞUTMA", "DEPO", 400, 1400, "ADET", "FEBI|MAHLE|KALE", false, 6},
    // BAKIM
    {"MOTOR YAĞI 5W-30 4 LT", "SENTETİK MOTOR YAĞI", "BAKIM", "MADENİ YAĞ", 1300, 2600, "ADET",
     "MOTUL|PETROL OFİSİ", true, 3},
    {"MOTOR YAĞI 10W-40 4 LT", "YARI SENTETİK MOTOR YAĞI", "BAKIM", "MADENİ YAĞ", 1000, 1900, "ADET",
     "MOTUL|PETROL OFİSİ", true, 3},
    {"ANTİFRİZ ORGANİK 3 LT", "KIRMIZI ANTİFRİZ", "BAKIM", "SOĞUTMA SIVISI", 350, 750, "ADET",
     "MOTUL|PETROL OFİSİ", true, 2},
    {"FREN HİDROLİĞİ DOT 4 1 LT", "FREN YAĞI DOT4", "BAKIM", "MADENİ YAĞ", 200, 450, "ADET",
     "BOSCH|MOTUL|TRW", true, 2},
    {"CAM SUYU 3 LT", "CAM YIKAMA SIVISI", "BAKIM", "KİMYASAL", 80, 180, "ADET", "PETROL OFİSİ|MOTUL", true,
     1},
};
constexpr int partCount = int(std::size(parcalar));

enum class OemStyle
{
    Fiat,
    Renault,
    Ford,
    Vag,
    Toyota,
    Hyundai,
    Opel,
    Psa,
    Honda,
    Bmw,
    Mercedes,
    Nissan,
};

struct Vehicle
{
    const char *maker;
    const char *model;
    const char *engine;
    const char *years;
    const char *shortName; // how the vehicle is written at the end of an item name
    OemStyle style;
    const char *departman;
    double priceFactor;
    int weight;
    Fuel fuel = Fuel::Diesel;
};

const Vehicle vehicles[] = {
    {"FIAT", "DOBLO", "1.3 MULTIJET", "2010-2022", "DOBLO 1.3 MJT 10>", OemStyle::Fiat, "HAFİF TİCARİ", 1.0,
     10},
    {"FIAT", "DOBLO", "1.6 MULTIJET", "2010-2022", "DOBLO 1.6 MJT 10>", OemStyle::Fiat, "HAFİF TİCARİ", 1.0,
     6},
    {"FIAT", "LINEA", "1.3 MULTIJET", "2007-2018", "LINEA 1.3 MJT", OemStyle::Fiat, "BİNEK", 1.0, 6},
    {"FIAT", "EGEA", "1.4 FIRE 16V", "2015-", "EGEA 1.4 16V 15>", OemStyle::Fiat, "BİNEK", 1.0, 8,
     Fuel::Petrol},
    {"FIAT", "EGEA", "1.3 MULTIJET", "2015-", "EGEA 1.3 MJT 15>", OemStyle::Fiat, "BİNEK", 1.0, 6},
    {"FIAT", "FIORINO", "1.3 MULTIJET", "2008-", "FIORINO 1.3 MJT 08>", OemStyle::Fiat, "HAFİF TİCARİ", 1.0,
     5},
    {"RENAULT", "CLIO IV", "1.5 DCI", "2012-2019", "CLIO IV 1.5 DCI", OemStyle::Renault, "BİNEK", 1.0, 8},
    {"RENAULT", "MEGANE III", "1.5 DCI", "2008-2016", "MEGANE III 1.5 DCI", OemStyle::Renault, "BİNEK", 1.0,
     6},
    {"RENAULT", "FLUENCE", "1.5 DCI", "2010-2016", "FLUENCE 1.5 DCI", OemStyle::Renault, "BİNEK", 1.0, 6},
    {"RENAULT", "SYMBOL", "1.2 16V", "2008-2013", "SYMBOL 1.2 16V", OemStyle::Renault, "BİNEK", 1.0, 3,
     Fuel::Petrol},
    {"DACIA", "DUSTER", "1.5 DCI", "2010-2017", "DUSTER 1.5 DCI", OemStyle::Renault, "BİNEK", 1.0, 4},
    {"FORD", "FOCUS III", "1.6 TDCI", "2011-2018", "FOCUS III 1.6 TDCI", OemStyle::Ford, "BİNEK", 1.0, 8},
    {"FORD", "FIESTA", "1.4 TDCI", "2008-2017", "FIESTA 1.4 TDCI", OemStyle::Ford, "BİNEK", 1.0, 4},
    {"FORD", "TRANSIT CUSTOM", "2.2 TDCI", "2012-", "T.CUSTOM 2.2 TDCI 12>", OemStyle::Ford, "HAFİF TİCARİ",
     1.2, 7},
    {"FORD", "CONNECT", "1.8 TDCI", "2002-2013", "CONNECT 1.8 TDCI", OemStyle::Ford, "HAFİF TİCARİ", 1.0, 5},
    {"VW", "PASSAT B7", "1.6 TDI", "2010-2014", "PASSAT B7 1.6 TDI", OemStyle::Vag, "BİNEK", 1.2, 6},
    {"VW", "GOLF VII", "1.6 TDI", "2012-2019", "GOLF VII 1.6 TDI", OemStyle::Vag, "BİNEK", 1.15, 6},
    {"VW", "CADDY III", "1.6 TDI", "2010-2015", "CADDY III 1.6 TDI", OemStyle::Vag, "HAFİF TİCARİ", 1.1, 5},
    {"VW", "POLO", "1.4 TDI", "2014-2017", "POLO 1.4 TDI", OemStyle::Vag, "BİNEK", 1.1, 3},
    {"TOYOTA", "COROLLA", "1.4 D-4D", "2013-2018", "COROLLA 1.4 D4D 13>", OemStyle::Toyota, "BİNEK", 1.1, 6},
    {"TOYOTA", "AURIS", "1.33 VVT-I", "2010-2018", "AURIS 1.33 VVTI", OemStyle::Toyota, "BİNEK", 1.1, 3,
     Fuel::Petrol},
    {"HYUNDAI", "ACCENT BLUE", "1.6 CRDI", "2011-2018", "ACCENT BLUE 1.6 CRDI", OemStyle::Hyundai, "BİNEK",
     1.0, 6},
    {"HYUNDAI", "I20", "1.4 CRDI", "2009-2014", "I20 1.4 CRDI", OemStyle::Hyundai, "BİNEK", 1.0, 4},
    {"OPEL", "ASTRA J", "1.3 CDTI", "2009-2015", "ASTRA J 1.3 CDTI", OemStyle::Opel, "BİNEK", 1.0, 5},
    {"OPEL", "CORSA D", "1.3 CDTI", "2006-2014", "CORSA D 1.3 CDTI", OemStyle::Opel, "BİNEK", 1.0, 4},
    {"PEUGEOT", "301", "1.6 HDI", "2012-", "P301 1.6 HDI", OemStyle::Psa, "BİNEK", 1.0, 4},
    {"PEUGEOT", "PARTNER", "1.6 HDI", "2008-2018", "PARTNER 1.6 HDI", OemStyle::Psa, "HAFİF TİCARİ", 1.0, 4},
    {"CITROEN", "C-ELYSEE", "1.6 HDI", "2012-", "C-ELYSEE 1.6 HDI", OemStyle::Psa, "BİNEK", 1.0, 4},
    {"HONDA", "CIVIC", "1.6 I-VTEC", "2012-2016", "CIVIC 1.6 IVTEC 12>", OemStyle::Honda, "BİNEK", 1.1, 4,
     Fuel::Petrol},
    {"BMW", "3 SERİSİ E90", "320D", "2005-2012", "BMW E90 320D", OemStyle::Bmw, "BİNEK", 1.6, 3},
    {"MERCEDES", "SPRINTER", "313 CDI", "2006-2018", "SPRINTER 313 CDI", OemStyle::Mercedes, "HAFİF TİCARİ",
     1.4, 4},
    {"MERCEDES", "C180 W204", "1.8 KOMPRESSOR", "2007-2014", "W204 C180", OemStyle::Mercedes, "BİNEK", 1.5, 2,
     Fuel::Petrol},
    {"NISSAN", "QASHQAI", "1.5 DCI", "2007-2013", "QASHQAI 1.5 DCI", OemStyle::Nissan, "BİNEK", 1.1, 3},
};

QString letters(Rng &rng, int n)
{
    static const char alphabet[] = "ABCDEFGHJKLMNPRSTUVWXYZ";
    QString s;
    for (int i = 0; i < n; ++i)
        s += QLatin1Char(alphabet[rng.between(0, int(sizeof alphabet) - 2)]);
    return s;
}

QString fillPattern(Rng &rng, const QString &pattern)
{
    QString s = pattern;
    for (QChar &ch : s) {
        if (ch == QLatin1Char('#'))
            ch = QLatin1Char(char('0' + rng.between(0, 9)));
    }
    return s;
}

// Every draw is its own statement: the operands of one expression may be
// evaluated in any order, and the data set must not depend on the compiler.
class CodeText
{
public:
    explicit CodeText(Rng &rng) : m_rng(rng) {}
    CodeText &d(int n)
    {
        m_text += m_rng.digits(n);
        return *this;
    }
    CodeText &l(int n)
    {
        m_text += letters(m_rng, n);
        return *this;
    }
    CodeText &t(const char *literal)
    {
        m_text += QLatin1String(literal);
        return *this;
    }
    QString text() const { return m_text; }

private:
    Rng &m_rng;
    QString m_text;
};

QString oemNumber(Rng &rng, OemStyle style)
{
    CodeText c(rng);
    switch (style) {
    case OemStyle::Fiat:
        c.t(rng.pick(std::array{"5", "46", "77"})).d(6);
        if (rng.chance(0.5))
            c.d(1);
        break;
    case OemStyle::Renault:
        if (rng.chance(0.5))
            c.t("77").d(8);
        else
            c.d(5).t(" ").d(4).l(1);
        break;
    case OemStyle::Ford:
        c.l(2).d(2).t("-").d(1).l(1).d(3).t("-").l(2);
        break;
    case OemStyle::Vag:
        c.d(1).l(1).d(1).t(" ").d(3).t(" ").d(3);
        if (rng.chance(0.6))
            c.t(" ").l(1);
        break;
    case OemStyle::Toyota:
        c.d(5).t("-").d(5);
        break;
    case OemStyle::Hyundai:
        c.d(5).t("-").d(1).l(2).d(2);
        break;
    case OemStyle::Opel:
        if (rng.chance(0.5))
            c.d(2).t(" ").d(3).t(" ").d(3);
        else
            c.d(4).t(" ").d(3);
        break;
    case OemStyle::Psa:
        if (rng.chance(0.5))
            c.d(4).t(" ").l(1).d(1);
        else
            c.d(2).t(" ").d(3).t(" ").d(3).t(" ").d(2);
        break;
    case OemStyle::Honda:
        c.d(5).t("-").l(3).t("-").l(1).d(2);
        break;
    case OemStyle::Bmw:
        c.d(2).t(" ").d(2).t(" ").d(1).t(" ").d(3).t(" ").d(3);
        break;
    case OemStyle::Mercedes:
        c.t("A ").d(3).t(" ").d(3).t(" ").d(2).t(" ").d(2);
        break;
    case OemStyle::Nissan:
        c.d(5).t("-").l(2).d(2).l(1);
        break;
    }
    return c.text();
}

// Prices end the way a price list does: 1.229,90 rather than 1.234,17.
double roundPrice(double p)
{
    if (p >= 100)
        return r2(std::floor(p / 10) * 10 - 0.10);
    return r2(std::round(p * 2) / 2);
}

// Cumulative weights for drawing an index in proportion to its weight.
struct WeightedTable
{
    std::vector<int> cumulative;
    int draw(Rng &rng) const
    {
        const int x = rng.between(0, cumulative.back() - 1);
        return int(std::upper_bound(cumulative.begin(), cumulative.end(), x) - cumulative.begin());
    }
};

template<class T> WeightedTable weightsOf(const T &table)
{
    WeightedTable w;
    int sum = 0;
    for (const auto &row : table) {
        sum += row.weight;
        w.cumulative.push_back(sum);
    }
    return w;
}

// Distinct indexes below n, in the order drawn.
std::vector<int> distinctIndexes(Rng &rng, int count, int n)
{
    std::vector<int> picked;
    QSet<int> seen;
    count = std::min(count, n);
    while (int(picked.size()) < count) {
        const int i = rng.between(0, n - 1);
        if (!seen.contains(i)) {
            seen.insert(i);
            picked.push_back(i);
        }
    }
    return picked;
}

class CodeMaker
{
public:
    CodeMaker()
    {
        for (int b = 0; b < brandCount; ++b) {
            m_brandNames << u8(brands[b].name);
            m_prefixes << QLatin1String(brands[b].prefix);
        }
        m_chosen.assign(size_t(brandCount * partCount), -1);
    }

    const QStringList &brandNames() const { return m_brandNames; }

    int brandIndex(const QString &name) const { return int(m_brandNames.indexOf(name)); }

    // The maker's code and our BARKOD for one item; BARKOD never repeats.
    std::pair<QString, QString> make(Rng &rng, int brand, int part)
    {
        const int general = patternFor(brand, -1);
        int pattern = patternFor(brand, part);
        for (int attempt = 0;; ++attempt) {
            // Narrow patterns fill up in large catalogues; the brand's general
            // form has room for many more.
            if (attempt == 8)
                pattern = general;
            QString code = fillPattern(rng, u8(codePatterns[pattern].pattern));
            if (attempt >= 40)
                code += QLatin1Char('-') + QString::number(attempt);
            const QString barkod = m_prefixes[brand] + compactSearchText(code);
            if (!m_used.contains(barkod)) {
                m_used.insert(barkod);
                return {code, barkod};
            }
        }
    }

private:
    int patternFor(int brand, int part)
    {
        if (part < 0) {
            for (int p = 0; p < int(std::size(codePatterns)); ++p) {
                if (u8(codePatterns[p].brand) == m_brandNames[brand] && codePatterns[p].keyword[0] == 0)
                    return p;
            }
            throw DbError(QStringLiteral("no general code pattern for brand %1").arg(m_brandNames[brand]));
        }
        int &slot = m_chosen[size_t(brand * partCount + part)];
        if (slot >= 0)
            return slot;
        const QString name = u8(parcalar[part].ad);
        slot = patternFor(brand, -1);
        for (int p = 0; p < int(std::size(codePatterns)); ++p) {
            if (codePatterns[p].keyword[0] != 0 && u8(codePatterns[p].brand) == m_brandNames[brand] &&
                name.contains(u8(codePatterns[p].keyword))) {
                slot = p;
                break;
            }
        }
        return slot;
    }

    QStringList m_brandNames;
    QStringList m_prefixes;
    std::vector<int> m_chosen;
    QSet<QString> m_used;
};

} // namespace

void fillCatalogue(Context &ctx)
{
    const int n = ctx.options.items;
    Rng rng(ctx.options.seed, CatalogueStream);
    Rng selection(ctx.options.seed, SelectionStream);

    CodeMaker codes;
    std::vector<std::vector<int>> partBrands;
    for (const Parca &part : parcalar) {
        std::vector<int> list;
        for (const QString &name : u8(part.brands).split(QLatin1Char('|'))) {
            const int b = codes.brandIndex(name);
            if (b < 0)
                throw DbError(QStringLiteral("unknown brand %1").arg(name));
            list.push_back(b);
        }
        partBrands.push_back(std::move(list));
    }
    const WeightedTable partWeights = weightsOf(parcalar);
    const WeightedTable vehicleWeights = weightsOf(vehicles);

    // About forty new and forty campaign items whatever the catalogue size, and
    // a pool of items that most orders draw from, so reports have best sellers.
    const int featured = std::clamp(n / 10, 1, 40);
    const std::vector<int> newItems = distinctIndexes(selection, featured, n);
    ctx.campaign = distinctIndexes(selection, featured, n);
    ctx.popular = distinctIndexes(selection, std::clamp(n / 4, 1, 400), n);
    std::vector<char> isNew(size_t(n), 0), isCampaign(size_t(n), 0), isPopular(size_t(n), 0);
    for (int i : newItems)
        isNew[size_t(i)] = 1;
    for (int i : ctx.campaign)
        isCampaign[size_t(i)] = 1;
    for (int i : ctx.popular)
        isPopular[size_t(i)] = 1;

    Statement insert = ctx.db.prepare(QStringLiteral(
        "INSERT INTO STOK (STOKNO, BARKOD, BARKOD_BARKODNO, ADI, DIGERADI, OEM1, OEM2, OEM3, OEM4, OEMNO, "
        "URETICIKODU, FINISHKOD, DPKOD, PKOD, MARKA, MODEL, ANAGRUP, ALTGRUP, OZELKOD, DEPARTMAN, BIRIM, "
        "KDV, "
        "LISTEFIYAT1, KAMPFIYAT, IND1, IND2, IND3, IND4, DURUM, KALAN, ALINANSIPARIS, VERILENSIPARIS, Y, K, "
        "RESIM, GIRISTARIHI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));

    const QString universalModel = QStringLiteral("UNİVERSAL");
    const QString cokSatan = QStringLiteral("ÇOK SATAN");
    QHash<int, double> newDates;
    ctx.items.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const qint64 stokNo = i + 1;
        const int partIndex = partWeights.draw(rng);
        const Parca &part = parcalar[partIndex];
        const Vehicle *vehicle = nullptr;
        while (!part.universal && !vehicle) {
            const Vehicle &candidate = vehicles[vehicleWeights.draw(rng)];
            if (part.fuel == Fuel::Any || part.fuel == candidate.fuel)
                vehicle = &candidate;
        }
        const int brand = rng.pick(partBrands[size_t(partIndex)]);
        const Brand &b = brands[brand];
        const auto [ureticiKodu, barkod] = codes.make(rng, brand, partIndex);

        QString adi = u8(part.ad);
        QString digerAdi = u8(part.digerAd);
        QString model = universalModel;
        QString departman = QStringLiteral("GENEL");
        std::array<QString, 4> oem;
        QString finishKod;
        double priceFactor = b.priceFactor;
        if (vehicle) {
            adi += QLatin1Char(' ') + u8(vehicle->shortName);
            digerAdi += QLatin1Char(' ') + u8(vehicle->maker) + QLatin1Char(' ') + u8(vehicle->model);
            model = u8(vehicle->maker) + QLatin1Char(' ') + u8(vehicle->model) + QLatin1Char(' ') +
                    u8(vehicle->engine) + QStringLiteral(" (") + u8(vehicle->years) + QLatin1Char(')');
            departman = u8(vehicle->departman);
            priceFactor *= vehicle->priceFactor;
            oem[0] = oemNumber(rng, vehicle->style);
            if (rng.chance(0.5))
                oem[1] = oemNumber(rng, vehicle->style);
            if (!oem[1].isEmpty() && rng.chance(0.4))
                oem[2] = oemNumber(rng, vehicle->style);
            if (!oem[2].isEmpty() && rng.chance(0.4))
                oem[3] = oemNumber(rng, vehicle->style);
            // Ford parts carry Ford's own seven-digit finis code as well.
            if (vehicle->style == OemStyle::Ford)
                finishKod = CodeText(rng).t("1").d(6).text();
        }

        const double liste = roundPrice(rng.between(part.minFiyat, part.maxFiyat) * priceFactor);
        const double kdv = rng.chance(0.015) ? 10 : 20;
        Rates ind{};
        switch (rng.weighted({70, 10, 10, 10})) {
        case 0:
            ind[0] = b.discount;
            break;
        case 1:
            ind[0] = b.discount + 5;
            break;
        case 2:
            ind[0] = std::max(0.0, b.discount - 5);
            break;
        default:
            break;
        }
        if (rng.chance(0.3))
            ind[1] = rng.pick(std::array{2.0, 3.0, 5.0});
        if (rng.chance(0.02))
            ind[2] = rng.pick(std::array{2.0, 3.0});

        int durum = rng.weighted({12, 55, 8, 10, 7, 8});
        double kalan = 0, alinan = 0, verilen = 0;
        if (rng.chance(0.2))
            alinan = rng.between(1, 30);
        int resim = rng.chance(0.7) ? 1 : 0;
        double girisTarihi = oleDate(ctx.today.addDays(-rng.between(45, 2500)));
        int y = 0, k = 0;
        double kamp = 0;
        if (isNew[size_t(i)]) {
            // New arrivals are shown with a photo and are on the shelf or on the way.
            y = 1;
            resim = 1;
            durum = rng.chance(0.75) ? 1 : 3;
            girisTarihi = oleDate(ctx.today.addDays(-rng.between(0, 30)));
            newDates.insert(i, girisTarihi);
        }
        if (isCampaign[size_t(i)]) {
            k = 1;
            durum = 1;
            kamp = roundPrice(liste * rng.between(0.55, 0.78));
            if (kamp >= liste)
                kamp = r2(liste * 0.7);
        }
        switch (durum) {
        case 1:
            kalan = rng.chance(0.8) ? rng.between(1, 40) : rng.between(41, 250);
            break;
        case 2:
            kalan = rng.between(1, 3);
            break;
        case 3:
            verilen = rng.between(10, 200);
            break;
        case 5:
            verilen = rng.between(5, 50);
            break;
        default:
            break;
        }
        if (k && kalan < 10)
            kalan += 10;

        const QString dpKod = CodeText(rng).t("R").d(2).t("-").l(1).d(2).text();
        const QString pKod =
            QLatin1String(b.prefix) + QLatin1Char('-') + foldSearchText(u8(part.anaGrup)).left(3);
        const QString ozelKod = isPopular[size_t(i)] && rng.chance(0.3) ? cokSatan : u8(b.origin);

        insert.reset();
        insert.bindAll({stokNo,
                        barkod,
                        qint64(100000 + stokNo),
                        adi,
                        digerAdi,
                        oem[0],
                        oem[1],
                        oem[2],
                        oem[3],
                        oem[0],
                        ureticiKodu,
                        finishKod,
                        dpKod,
                        pKod,
                        codes.brandNames()[brand],
                        model,
                        u8(part.anaGrup),
                        u8(part.altGrup),
                        ozelKod,
                        departman,
                        u8(part.birim),
                        kdv,
                        liste,
                        kamp,
                        ind[0],
                        ind[1],
                        ind[2],
                        ind[3],
                        qint64(durum),
                        kalan,
                        alinan,
                        verilen,
                        qint64(y),
                        qint64(k),
                        qint64(resim),
                        girisTarihi});
        insert.step();

        Item item;
        item.stokNo = stokNo;
        item.barkod = barkod;
        item.adi = adi;
        item.liste = liste;
        item.kamp = kamp;
        item.kdv = kdv;
        item.ind = ind;
        item.k = k;
        ctx.items.push_back(std::move(item));
    }

    // Newest arrivals first, the way the page lists them.
    std::vector<int> newestFirst = newItems;
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
                     [&](int a, int b) { return newDates.value(a) > newDates.value(b); });
    Statement yeni = ctx.db.prepare(QStringLiteral("INSERT INTO YENISTOK (SIRA, STOKNO) VALUES (?, ?)"));
    qint64 sira = 0;
    for (int i : newestFirst) {
        yeni.reset();
        yeni.bindAll({++sira, ctx.items[size_t(i)].stokNo});
        yeni.step();
    }
    Statement kampanya = ctx.db.prepare(QStringLiteral("INSERT INTO KAMPANYA (SIRA, STOKNO) VALUES (?, ?)"));
    sira = 0;
    for (int i : ctx.campaign) {
        kampanya.reset();
        kampanya.bindAll({++sira, ctx.items[size_t(i)].stokNo});
        kampanya.step();
    }

    rebuildSearchIndex(ctx.db);
}

} // namespace zelvora::server::demo
