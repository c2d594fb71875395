-- Starter content of the default reporting database, so that a new user
-- finds organizations, items and properties to build a first report with.
-- Plain SQL that both schemas accept.
INSERT INTO ss_Organ (FD_Code, FD_Name, FD_SearchCode) VALUES
    ('0101', 'Head Office',          'HO'),
    ('0102', 'Northern Branch',      'NB'),
    ('0103', 'Southern Branch',      'SB'),
    ('0201', 'Harbour Works',        'HW');

INSERT INTO ss_item (FD_Code, FD_Name, FD_SearchCode, FD_Type) VALUES
    ('R001', 'Sales revenue',        'SALES', 0),
    ('R002', 'Cost of sales',        'COST',  0),
    ('R003', 'Staff costs',          'STAFF', 0),
    ('R004', 'Other expenses',       'OTHER', 0),
    ('R005', 'Remarks',              'REM',   1);

INSERT INTO ss_colitem (FD_Code, FD_Name, FD_SearchCode) VALUES
    ('C001', 'This period',          'THIS'),
    ('C002', 'Same period last year','LAST'),
    ('C003', 'Year to date',         'YTD');

INSERT INTO ss_Attribute (FD_AttrTypeCode, FD_AttrTypeName, FD_ValCode, FD_ValName) VALUES
    (0, 'Region', 0, 'North'),
    (0, 'Region', 1, 'South'),
    (1, 'Size',   0, 'Large'),
    (1, 'Size',   1, 'Small');

INSERT INTO ss_OrgAttr (FD_OrgCode, FD_AttrTypeCode, FD_ValCode) VALUES
    ('0101', 0, 0), ('0101', 1, 0),
    ('0102', 0, 0), ('0102', 1, 1),
    ('0103', 0, 1), ('0103', 1, 1),
    ('0201', 0, 1), ('0201', 1, 0);
