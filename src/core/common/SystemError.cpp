#include "SystemError.h"

#include <cerrno>
#include <string>

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
    case EBADF:
        return "le fichier ou la sortie n'est pas ouvert (sortie fermée ?)";
    case EPIPE:
        return "la sortie a été fermée par le programme qui la lisait";
    case EINTR:
        return "opération interrompue";
    case ESPIPE:
        return "la sortie ne permet pas de se déplacer dans le fichier (tube)";
    case EFAULT:
        return "adresse invalide";
    case EOVERFLOW:
        return "valeur trop grande pour ce fichier";
    case EMLINK:
        return "trop de liens";
    case ENOTSUP:
        return "opération non prise en charge par ce système de fichiers";
    case ENOLCK:
        return "plus de verrou disponible";
    case ENOSYS:
        return "opération non prise en charge par le système";
    case ESTALE:
        return "fichier réseau périmé";
    case ETIMEDOUT:
        return "délai dépassé";
    case ECONNREFUSED:
        return "connexion refusée";
    case ENOTCONN:
        return "pas de connexion";
    case ENODATA:
        return "aucune donnée";
    case ECANCELED:
        return "opération annulée";
    case ENOEXEC:
        return "ce fichier ne peut pas être exécuté";
    case ENOTTY:
        return "opération impossible sur ce périphérique";
    case ERANGE:
        return "valeur hors limites";
    case EDOM:
        return "valeur hors du domaine permis";
    default:
        return "erreur du système de code " + std::to_string(code) + " (inconnue de ce jeu)";
    }
}

} // namespace lexinum
