#include "wire/objects.h"

#include "wire/objects_json.h"

#include <functional>

namespace zelvora {

#define ZELVORA_COPY_FIELD(Type, Name, Default) F##Name = source.F##Name;
#define ZELVORA_WRITE_FIELD(Type, Name, Default) out.field("F" #Name, F##Name);
#define ZELVORA_READ_FIELD(Type, Name, Default) in.field("F" #Name, F##Name);

#define ZELVORA_DEFINE_NESNE(Unit, Class)                                                                    \
    QString Class::staticTypeName()                                                                          \
    {                                                                                                        \
        return QStringLiteral(#Unit "." #Class);                                                             \
    }                                                                                                        \
    QString Class::typeName() const                                                                          \
    {                                                                                                        \
        return staticTypeName();                                                                             \
    }                                                                                                        \
    void Class::writeFields(detail::FieldWriter &out) const                                                  \
    {                                                                                                        \
        ZELVORA_FIELDS_##Class(ZELVORA_WRITE_FIELD)                                                          \
    }                                                                                                        \
    void Class::readFields(detail::FieldReader &in)                                                          \
    {                                                                                                        \
        ZELVORA_FIELDS_##Class(ZELVORA_READ_FIELD)                                                           \
    }

#define ZELVORA_DEFINE_KOPYALA(Class)                                                                        \
    void Class::Kopyala(const Class &source)                                                                 \
    {                                                                                                        \
        ZELVORA_FIELDS_##Class(ZELVORA_COPY_FIELD)                                                           \
    }

ZELVORA_DEFINE_NESNE(baglantiu, TSonucBilgisi)
ZELVORA_DEFINE_KOPYALA(TSonucBilgisi)
ZELVORA_DEFINE_NESNE(baglantiu, TSiparisDipAyrinti)
ZELVORA_DEFINE_KOPYALA(TSiparisDipAyrinti)
ZELVORA_DEFINE_NESNE(baglantiu, TTusSonuclari)
ZELVORA_DEFINE_KOPYALA(TTusSonuclari)

std::unique_ptr<TSonucBilgisi> GirisKopyasi(const TSonucBilgisi &sbilgi)
{
    auto kopya = std::make_unique<TSonucBilgisi>();
    kopya->Kopyala(sbilgi);
    return kopya;
}

ZELVORA_DEFINE_NESNE(mobilstokunit, TMobilStok)
ZELVORA_DEFINE_KOPYALA(TMobilStok)
ZELVORA_DEFINE_NESNE(mobilstokunit, TMobilSepet)
ZELVORA_DEFINE_KOPYALA(TMobilSepet)
ZELVORA_DEFINE_NESNE(mobilstokunit, TMobilCariBilgisi)
ZELVORA_DEFINE_KOPYALA(TMobilCariBilgisi)
ZELVORA_DEFINE_NESNE(mobilstokunit, TAcilisEkran)
ZELVORA_DEFINE_NESNE(mobilstokunit, TAcilisEkranlariki)

namespace {

struct Registration
{
    QString typeName;
    std::function<std::unique_ptr<Nesne>()> create;
};

template<class T> Registration registration()
{
    return {T::staticTypeName(), [] { return std::unique_ptr<Nesne>(std::make_unique<T>()); }};
}

// The owning lists are not here: they never travel on their own.
const std::vector<Registration> &registry()
{
    static const std::vector<Registration> classes = {
        registration<TSonucBilgisi>(), registration<TSiparisDipAyrinti>(), registration<TTusSonuclari>(),
        registration<TMobilStok>(),    registration<TMobilSepet>(),        registration<TMobilCariBilgisi>(),
        registration<TAcilisEkran>(),  registration<TAcilisEkranlariki>(),
    };
    return classes;
}

} // namespace

std::unique_ptr<Nesne> createByTypeName(QStringView typeName)
{
    for (const Registration &r : registry()) {
        if (r.typeName == typeName)
            return r.create();
    }
    return nullptr;
}

} // namespace zelvora
