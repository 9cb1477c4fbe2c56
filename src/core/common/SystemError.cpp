#include "SystemError.h"

#include <cerrno>

namespace lexinum {

std::string SystemError::Text(int code) {
    switch (code) {
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "accès refusé";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque dépassé";
    case EROFS:
        return "le disque n'accepte que la lecture";
    case EIO:
        return "erreur de lecture ou d'écriture sur le disque";
    case EISDIR:
        return "c'est un dossier";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG:
        return "nom trop long";
    case ELOOP:
        return "trop de liens symboliques";
    case EEXIST:
        return "existe déjà";
    case ENOTEMPTY:
        return "le dossier n'est pas vide";
    case EBUSY:
        return "en cours d'utilisation";
    case EXDEV:
        return "sur un autre disque";
    case EFBIG:
        return "fichier trop grand";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case ENOMEM:
        return "mémoire insuffisante";
    case EINVAL:
        return "opération impossible sur ce fichier";
    case ETXTBSY:
        return "fichier en cours d'utilisation";
    case EAGAIN:
        return "ressource momentanément indisponible";
    case ENXIO:
        return "périphérique absent";
    case ENODEV:
        return "périphérique inconnu";
    default:
        return "erreur système " + std::to_string(code);
    }
}

} // namespace lexinum
