/* Paradox tables made and read by pxlib alone, for the tests: a native
 * Linux program, not built with the suite.
 *   paradox-tool make TABLE.db KEYS FIELDS   rows from standard input, one a
 *       line, values '|'-separated; FIELDS "Name:A13,Line:L,Cur:S,Sum:N";
 *       a table with KEYS > 0 is keyed and gets its TABLE.PX
 *   paradox-tool secondary FILE   a secondary index file's header (.Xnn or .Ynn)
 *   paradox-tool dump TABLE.db    whether it is keyed, and for a keyed table
 *       what its TABLE.PX covers, then the field names and the rows in file
 *       order, '|'-separated */
#include <paradox.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void complain(pxdoc_t *px, int type, const char *message, void *data)
{
    (void)px;
    (void)data;
    fprintf(stderr, "pxlib (%d): %s\n", type, message);
}

static pxdoc_t *new_doc(void)
{
    return PX_new2(complain, NULL, NULL, NULL);
}

static char *index_path(const char *table)
{
    char *path = malloc(strlen(table) + 4);
    strcpy(path, table);
    char *dot = strrchr(path, '.');
    strcpy(dot != NULL ? dot : path + strlen(path), ".PX");
    return path;
}

/* "Name:A13" "Name:L" "Name:S" "Name:N" */
static int parse_fields(pxdoc_t *px, const char *given, pxfield_t **fields)
{
    int count = 0;
    char *spec = strdup(given);
    *fields = px->malloc(px, 64 * sizeof(pxfield_t), "fields");
    for (char *part = strtok(spec, ","); part != NULL && count < 64; part = strtok(NULL, ","))
    {
        char *colon = strchr(part, ':');
        pxfield_t *f = &(*fields)[count++];
        *colon = '\0';
        f->px_fname = PX_strdup(px, part);
        f->px_fdc = 0;
        switch (colon[1])
        {
        case 'A': f->px_ftype = pxfAlpha; f->px_flen = atoi(colon + 2); break;
        case 'L': f->px_ftype = pxfLong; f->px_flen = 4; break;
        case 'S': f->px_ftype = pxfShort; f->px_flen = 2; break;
        default: f->px_ftype = pxfNumber; f->px_flen = 8; break;
        }
    }
    free(spec);
    return count;
}

static int make(const char *table, int keys, const char *spec)
{
    pxdoc_t *px = new_doc();
    pxfield_t *fields;
    int count = parse_fields(px, spec, &fields);
    if (PX_create_file(px, fields, count, table, keys > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB) < 0)
        return 1;
    if (keys > 0 && PX_set_value(px, "numprimkeys", keys) < 0)
        return 1;
    char line[4096];
    char *record = malloc(PX_get_recordsize(px));
    while (fgets(line, sizeof(line), stdin) != NULL)
    {
        line[strcspn(line, "\r\n")] = '\0';
        memset(record, 0, PX_get_recordsize(px));
        char *at = record, *value = line;
        for (int i = 0; i < count; ++i)
        {
            char *end = strchr(value, '|');
            if (end != NULL)
                *end = '\0';
            if (*value != '\0')
            {
                if (fields[i].px_ftype == pxfAlpha)
                    memcpy(at, value, strlen(value));
                else if (fields[i].px_ftype == pxfLong)
                    PX_put_data_long(px, at, 4, atoi(value));
                else if (fields[i].px_ftype == pxfShort)
                    PX_put_data_short(px, at, 2, (short)atoi(value));
                else
                    PX_put_data_double(px, at, 8, atof(value));
            }
            at += fields[i].px_flen;
            value = end != NULL ? end + 1 : value + strlen(value);
        }
        if (PX_put_record(px, record) < 0)
            return 1;
    }
    if (keys > 0)
    {
        pxdoc_t *index = new_doc();
        pxfield_t *keyfields;
        parse_fields(index, spec, &keyfields);
        char *path = index_path(table);
        if (PX_create_file(index, keyfields, keys, path, pxfFileTypPrimIndex) < 0 || PX_write_primary_index(px, index) < 0)
            return 1;
        PX_close(index);
        PX_delete(index);
    }
    PX_close(px);
    PX_delete(px);
    return 0;
}

static int secondary(const char *file)
{
    pxdoc_t *px = new_doc();
    pxfield_t *fields;
    int count = parse_fields(px, "FD_Value:A40", &fields);
    int x = strrchr(file, '.')[1] == 'X' || strrchr(file, '.')[1] == 'x';
    if (PX_create_file(px, fields, count, file, x ? pxfFileTypNonIncSecIndex : pxfFileTypSecIndex) < 0)
        return 1;
    PX_close(px);
    PX_delete(px);
    return 0;
}

static void print_value(pxdoc_t *px, pxfield_t *f, char *at)
{
    char *text = NULL;
    long lvalue;
    short svalue;
    double dvalue;
    switch (f->px_ftype)
    {
    case pxfAlpha:
        if (PX_get_data_alpha(px, at, f->px_flen, &text) > 0)
        {
            printf("%s", text);
            px->free(px, text);
        }
        break;
    case pxfLong:
        if (PX_get_data_long(px, at, f->px_flen, &lvalue) > 0)
            printf("%ld", lvalue);
        break;
    case pxfShort:
        if (PX_get_data_short(px, at, f->px_flen, &svalue) > 0)
            printf("%d", svalue);
        break;
    default:
        if (PX_get_data_double(px, at, f->px_flen, &dvalue) > 0)
            printf("%g", dvalue);
        break;
    }
}

static int dump(const char *table)
{
    pxdoc_t *px = new_doc();
    if (PX_open_file(px, table) < 0)
        return 1;
    pxhead_t *head = px->px_head;
    int keyed = head->px_filetype == pxfFileTypIndexDB;
    printf("keyed %d keys %d", keyed, head->px_primarykeyfields);
    if (keyed)
    {
        pxdoc_t *index = new_doc();
        if (PX_open_file(index, index_path(table)) < 0 || PX_read_primary_index(index) < 0)
        {
            printf(" index unreadable\n");
            return 1;
        }
        pxpindex_t *entries = index->px_data;
        int covered = 0;
        for (int i = 0; i < index->px_head->px_numrecords; ++i)
            if (entries[i].level == 1)
                covered += entries[i].numrecords;
        printf(" index of %d fields covers %d", index->px_head->px_numfields, covered);
    }
    printf(" of %d records\n", PX_get_num_records(px));
    for (int i = 0; i < head->px_numfields; ++i)
        printf("%s%s", i == 0 ? "" : "|", head->px_fields[i].px_fname);
    printf("\n");
    char *record = malloc(PX_get_recordsize(px));
    for (int r = 0; r < PX_get_num_records(px); ++r)
    {
        if (PX_get_record(px, r, record) == NULL)
            return 1;
        char *at = record;
        for (int i = 0; i < head->px_numfields; ++i)
        {
            printf(i == 0 ? "" : "|");
            print_value(px, &head->px_fields[i], at);
            at += head->px_fields[i].px_flen;
        }
        printf("\n");
    }
    return 0;
}

int main(int argc, char **argv)
{
    PX_boot();
    if (argc == 5 && strcmp(argv[1], "make") == 0)
        return make(argv[2], atoi(argv[3]), argv[4]);
    if (argc == 3 && strcmp(argv[1], "secondary") == 0)
        return secondary(argv[2]);
    if (argc == 3 && strcmp(argv[1], "dump") == 0)
        return dump(argv[2]);
    fprintf(stderr, "usage: paradox-tool make TABLE.db KEYS FIELDS | secondary FILE | dump TABLE.db\n");
    return 2;
}
